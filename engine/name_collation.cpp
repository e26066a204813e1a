#include "name_collation.h"

namespace urdiva {

NameCollation::NameCollation(const QLocale& locale, Qt::CaseSensitivity caseSensitivity)
    : m_collator(locale)
    , m_case(caseSensitivity)
    , m_plain(locale.language() == QLocale::C)
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
    if (m_plain)
        return a.compare(b, m_case);
    return m_collator.compare(a, b);
}

} // namespace urdiva
