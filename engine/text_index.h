#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace urdiva {

// Finds a text among texts kept elsewhere, by its position there: an open-addressing table of
// positions, lighter than a hash map of strings since each text is stored once. The caller
// passes the same vector, grown only at its end, to every call.
class TextIndex {
public:
    // The position of a text equal to `text`, or -1.
    qsizetype find(QStringView text, const std::vector<QString>& texts) const;
    // Indexes texts[position], whose hashOf() is `hash`, unless an equal text is indexed
    // already: returns the position of that one, or `position`.
    qsizetype insert(qsizetype position, const std::vector<QString>& texts, quint64 hash);

    static quint64 hashOf(QStringView text);
    // Starts fetching the table memory an insert or find of a text with this hash reads first.
    void prefetch(quint64 hash) const;

private:
    void grow();

    std::vector<quint64> m_slots; // 0: empty; else hash tag in the upper half, position + 1
    size_t m_used = 0;
};

} // namespace urdiva
