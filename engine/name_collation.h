#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringView>

namespace urdiva {

// The locale's collation of vertex names, with or without letter case: two names match when it
// ranks them equal, and it gives the ascending order of the sorted vertex list. The C locale
// has no linguistic collation: there names compare by code unit, after case folding when case
// does not count.
class NameCollation {
public:
    NameCollation(const QLocale& locale, Qt::CaseSensitivity caseSensitivity);

    // An independent collation with the same rules, for use on another thread.
    NameCollation clone() const;

    int compare(QStringView a, QStringView b) const;

private:
    QCollator m_collator;
    Qt::CaseSensitivity m_case;
    bool m_plain;
};

} // namespace urdiva
