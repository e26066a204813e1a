#include "name_collation.h"

namespace urdiva {

int NameCollation::Key::compare(const Key& other) const
{
    if (const auto* plain = std::get_if<QString>(&m_key))
        return QStringView(*plain).compare(std::get<QString>(other.m_key), Qt::CaseSensitive);
    return std::get<QCollatorSortKey>(m_key).compare(std::get<QCollatorSortKey>(other.m_key));
}

NameCollation::NameCollation(const QLocale& locale, Qt::CaseSensitivity caseSensitivity)
    : m_collator(locale)
    , m_case(caseSensitivity)
    , m_plain(locale.language() == QLocale::C)
{
    m_collator.setCaseSensitivity(caseSensitivity);
    m_collator.setNumericMode(false);
    m_collator.setIgnorePunctuation(false);
}

NameCollation::Key NameCollation::key(const QString& name) const
{
    if (m_plain)
        return Key(m_case == Qt::CaseSensitive ? name : name.toCaseFolded());
    return Key(m_collator.sortKey(name));
}

int NameCollation::compare(const QString& a, const QString& b) const
{
    return key(a).compare(key(b));
}

} // namespace urdiva
