// SPDX-License-Identifier: MIT
#pragma once

#include <QCollator>
#include <QLocale>
#include <QStringView>

#include <optional>

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

    // A hash that every name ranked equal to this one shares, so that names can be grouped
    // without comparing each with all others; nullopt when none is known. It hashes the name's
    // letters without case or accents, and is given only for names made of plain ASCII, the
    // field marker and the accented Latin-1 letters, in locales whose collation never ranks such
    // names equal unless those agree (tested for each of them).
    std::optional<size_t> matchHash(QStringView name) const;

private:
    QCollator m_collator;
    Qt::CaseSensitivity m_case;
    bool m_plain;
    bool m_hashable;
};

} // namespace urdiva
