// SPDX-License-Identifier: MIT
#include "engine/names/name_collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace urdiva;

namespace {

// Every character a match hash is given for, with the controls and symbols around them.
QString acceptedCharacters()
{
    QString out;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        out += QChar(c);
    out += QChar(0xB6);
    for (char16_t c = 0xC0; c <= 0xFF; ++c) {
        if (c != 0xC6 && c != 0xD0 && c != 0xD7 && c != 0xD8 && c != 0xDE && c != 0xDF &&
            c != 0xE6 && c != 0xF0 && c != 0xF7 && c != 0xF8 && c != 0xFE)
            out += QChar(c);
    }
    return out;
}

class MatchHashTest : public ::testing::TestWithParam<const char*> { };

// The hash is sound only if the collation never ranks equal two names the hash tells apart.
// Sorted by the collation, equal names stand side by side: every such pair among all names of
// one and two accepted characters must share a hash, in both case rules.
TEST_P(MatchHashTest, NamesRankedEqualShareTheHash)
{
    const QLocale locale(QString::fromLatin1(GetParam()));
    const QString alphabet = acceptedCharacters();
    std::vector<QString> names;
    for (const QChar a : alphabet) {
        names.emplace_back(a);
        for (const QChar b : alphabet)
            names.push_back(QString(a) + b);
    }
    for (auto cs : {Qt::CaseInsensitive, Qt::CaseSensitive}) {
        const NameCollation collation(locale, cs);
        std::sort(names.begin(), names.end(),
                  [&](const QString& x, const QString& y) { return collation.compare(x, y) < 0; });
        int equalPairs = 0;
        for (size_t i = 1; i < names.size(); ++i) {
            ASSERT_TRUE(collation.matchHash(names[i]).has_value()) << names[i].toStdString();
            if (collation.compare(names[i - 1], names[i]) != 0)
                continue;
            ++equalPairs;
            EXPECT_EQ(collation.matchHash(names[i - 1]), collation.matchHash(names[i]))
                << names[i - 1].toStdString() << " / " << names[i].toStdString();
        }
        // Case pairs at least, when case does not count.
        if (cs == Qt::CaseInsensitive) {
            EXPECT_GT(equalPairs, 1000);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, MatchHashTest,
                         ::testing::Values("pt_BR", "pt_PT", "en_US", "es_ES", "fr_FR", "fr_CA",
                                           "it_IT", "de_DE", "de_AT", "C"));

TEST(MatchHash, OnlyForAcceptedCharactersAndLocales)
{
    const NameCollation portuguese(QLocale(QStringLiteral("pt_BR")), Qt::CaseInsensitive);
    EXPECT_TRUE(portuguese.matchHash(QString::fromUtf16(u"José da Silva¶")).has_value());
    EXPECT_TRUE(portuguese.matchHash(QString()).has_value());
    EXPECT_EQ(portuguese.matchHash(QString::fromUtf16(u"JOSÉ")), portuguese.matchHash(u"jose"));
    EXPECT_NE(portuguese.matchHash(u"jose"), portuguese.matchHash(u"josa"));
    EXPECT_NE(portuguese.matchHash(u"jose"), portuguese.matchHash(u"jose "));
    // Ignorable controls, letters that may rank as two, other scripts, decomposed accents.
    for (const char16_t* name : {u"a\u0001b", u"Stra\u00DFe", u"\u00C6sir", u"\u00AA", u"\u00A0",
                                 u"\u0416", u"Jose\u0301", u"\u00D8ster"})
        EXPECT_FALSE(portuguese.matchHash(QString::fromUtf16(name)).has_value());
    // Collations that rank such names equal in ways of their own (Danish "aa" and "å").
    for (const char* other : {"da_DK", "hu_HU", "sv_SE", "tr_TR"}) {
        const NameCollation collation(QLocale(QString::fromLatin1(other)), Qt::CaseInsensitive);
        EXPECT_FALSE(collation.matchHash(u"aa").has_value()) << other;
    }
}

} // namespace
