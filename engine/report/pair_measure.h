// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace urdiva {

// Appends the line of a listed pair to `out`: names i < j, the longer one's length and their
// distance. Called on several threads at once.
using PairLine =
    std::function<void(QByteArray& out, size_t i, size_t j, int longest, int distance)>;

// The pairs of one text's row that reach the threshold: their lines, and with keepPairs the pairs
// themselves.
struct MeasuredRow {
    QByteArray lines;
    std::vector<std::pair<quint32, quint32>> pairs;
};

// Texts longer than this are left out of the pairs: the distance of two alike texts costs the
// product of their lengths over 64 (two alike names of a mebibyte would take minutes, two of this
// length take about a second).
inline constexpr qsizetype kLongestComparedText = 100000;

// Measures every pair of the texts no longer than kLongestComparedText (the earlier first; the
// ASCII capitals count as small letters) on every core, and hands the lines (when `line` is set)
// and pairs (with keepPairs) of those whose similarity in percent reaches the threshold to `write`,
// one text's row at a time and in row order, keeping only a bounded window of rows in memory.
// Returns the number of pairs listed. A failure on any thread is raised here.
qint64 measureSimilarPairs(const QStringList& texts, int threshold, const PairLine& line,
                           bool keepPairs, const std::function<void(const MeasuredRow&)>& write);

// The texts of the percentages of pairs, made once for each longer length and distance that
// can be listed (for lengths up to 256: a longer name makes its own, so that no table grows with
// the square of a length).
class PercentTexts {
public:
    PercentTexts(const QStringList& texts, int threshold,
                 std::function<QByteArray(double percentage)> make);
    void append(QByteArray& out, int longest, int distance) const;

private:
    std::function<QByteArray(double)> m_make;
    std::vector<std::vector<QByteArray>> m_texts; // by longer length, then distance
};

} // namespace urdiva
