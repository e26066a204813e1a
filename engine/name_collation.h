#pragma once

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>

#include <variant>

namespace urdiva {

// The locale's collation of vertex names, with or without letter case. Two names match when
// their keys compare equal; keys also give the ascending order of the sorted vertex list.
// ICU's sort keys compare exactly as its string comparison does, so a key can stand for a name
// in ordered indexes. The C locale has no linguistic collation: there names compare by code
// unit, after case folding when case does not count.
class NameCollation {
public:
    class Key {
    public:
        int compare(const Key& other) const;
        bool operator<(const Key& other) const { return compare(other) < 0; }

    private:
        friend class NameCollation;
        explicit Key(QString plain)
            : m_key(std::move(plain))
        {
        }
        explicit Key(QCollatorSortKey icu)
            : m_key(std::move(icu))
        {
        }
        std::variant<QString, QCollatorSortKey> m_key;
    };

    NameCollation(const QLocale& locale, Qt::CaseSensitivity caseSensitivity);

    Key key(const QString& name) const;
    int compare(const QString& a, const QString& b) const;
    Qt::CaseSensitivity caseSensitivity() const { return m_case; }

private:
    QCollator m_collator;
    Qt::CaseSensitivity m_case;
    bool m_plain;
};

} // namespace urdiva
