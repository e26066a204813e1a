// SPDX-License-Identifier: MIT
#include "engine/names/name_collation.h"

#include "engine/io/field_marker.h"

#include <array>

namespace urdiva {
namespace {

// Languages whose collation of the characters matchHash() accepts is the common one, or adds
// letters of its own (such as Spanish ñ) without ranking any two of those names equal.
bool hasCommonLatinCollation(QLocale::Language language)
{
    switch (language) {
    case QLocale::C:
    case QLocale::Portuguese:
    case QLocale::English:
    case QLocale::Spanish:
    case QLocale::French:
    case QLocale::Italian:
    case QLocale::German:
        return true;
    default:
        return false;
    }
}

// For each code unit below 256: the letter without case or accent, the character itself for
// other printable ASCII and the field marker, or 0 for a character matchHash() does not accept
// (controls, which collation may ignore, and symbols and letters such as ß or æ that may rank
// equal to two letters).
constexpr std::array<char16_t, 256> kFolded = [] {
    std::array<char16_t, 256> table {};
    for (char16_t c = 0x20; c < 0x7F; ++c)
        table[c] = c >= u'A' && c <= u'Z' ? char16_t(c + 0x20) : c;
    table[0xB6] = 0xB6;
    const auto fill = [&table](char16_t first, char16_t last, char16_t letter) {
        for (char16_t c = first; c <= last; ++c) {
            table[c] = letter;
            table[c + 0x20] = letter;
        }
    };
    fill(0xC0, 0xC5, u'a');
    fill(0xC7, 0xC7, u'c');
    fill(0xC8, 0xCB, u'e');
    fill(0xCC, 0xCF, u'i');
    fill(0xD1, 0xD1, u'n');
    fill(0xD2, 0xD6, u'o');
    fill(0xD9, 0xDC, u'u');
    fill(0xDD, 0xDD, u'y');
    table[0xFF] = u'y';
    return table;
}();

} // namespace

NameCollation::NameCollation(const QLocale& locale, Qt::CaseSensitivity caseSensitivity)
    : m_collator(locale)
    , m_case(caseSensitivity)
    , m_plain(locale.language() == QLocale::C)
    , m_hashable(hasCommonLatinCollation(locale.language()))
{
    m_collator.setCaseSensitivity(caseSensitivity);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

NameCollation NameCollation::clone() const
{
    return NameCollation(m_collator.locale(), m_case);
}

int NameCollation::compare(QStringView a, QStringView b) const
{
    if (!m_plain)
        return m_collator.compare(a, b);
    // By code unit the trailing field marker of a normal form (U+00B6) would rank above every
    // ASCII character, and so "ab" before "a": the marker ranks below every character instead,
    // so that a name that begins another comes first, as in every linguistic collation. The
    // texts between markers compare by code unit; the end of a text comes before a marker.
    for (;;) {
        const qsizetype x = a.indexOf(kFieldMarker);
        const qsizetype y = b.indexOf(kFieldMarker);
        if (const int order =
                a.first(x < 0 ? a.size() : x).compare(b.first(y < 0 ? b.size() : y), m_case);
            order != 0)
            return order;
        if (x < 0 || y < 0)
            return (x >= 0) - (y >= 0);
        a = a.sliced(x + 1);
        b = b.sliced(y + 1);
    }
}

std::optional<size_t> NameCollation::matchHash(QStringView name) const
{
    if (!m_hashable)
        return std::nullopt;
    quint64 hash = 0xCBF29CE484222325ull ^ quint64(name.size());
    for (const QChar c : name) {
        const char16_t folded = c.unicode() < kFolded.size() ? kFolded[c.unicode()] : 0;
        if (folded == 0)
            return std::nullopt;
        hash = (hash ^ folded) * 0x100000001B3ull;
    }
    return size_t(hash ^ (hash >> 29));
}

} // namespace urdiva
