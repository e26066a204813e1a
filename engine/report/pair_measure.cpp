// SPDX-License-Identifier: MIT
#include "engine/report/pair_measure.h"

#include "engine/core/parallel.h"
#include "engine/core/prefetch.h"
#include "engine/report/letter_classes.h"
#include "engine/report/piece_index.h"
#include "engine/report/similarity.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <utility>
#include <vector>

namespace urdiva {
namespace {

// Pair lines are made for longer lengths up to this from a table of their percentage texts; a
// pair with a longer name formats its own, so a very long name costs no table of its square.
constexpr int kShownTableLength = 256;

// Everything about the names that every pair reuses. Its size grows with the names and their
// lengths, never with the square of a length.
struct PreparedNames {
    QString text; // the folded names one after another, in one block: the candidates of a name
                  // are read from anywhere in it, and a string each would cost a second fetch
    std::vector<QStringView> folded; // the names as compared: ASCII capitals as small letters
    std::vector<quint64> letters; // letterClasses() of the folded name
    std::vector<ClassCounts> counts; // classCounts() of the folded name
    std::vector<int> lengths;
    std::vector<int> largest; // the largest distance that reaches the threshold, by longer length
};

// The largest distance whose percentage still reaches the threshold for the longer length, or
// -1 where none does; the percentage only falls as the distance grows.
int largestDistance(int longest, int threshold)
{
    const auto reaches = [&](int d) {
        return similarityPercentage(similarityRatio(d, longest)) >= threshold;
    };
    if (!reaches(0))
        return -1;
    int low = 0; // reaches
    int high = longest + 1; // beyond every distance
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (reaches(middle) ? low : high) = middle;
    }
    return low;
}

PreparedNames prepare(const QStringList& texts, int threshold)
{
    PreparedNames p;
    int maxLength = 0;
    std::vector<qsizetype> starts;
    qsizetype total = 0;
    for (const QString& text : texts)
        total += text.size() <= kLongestComparedText ? text.size() : 0;
    p.text.reserve(total);
    for (const QString& text : texts) {
        starts.push_back(p.text.size());
        if (text.size() <= kLongestComparedText)
            p.text.append(foldAsciiCase(text));
        p.lengths.push_back(int(std::min(text.size(), kLongestComparedText + 1)));
        if (text.size() <= kLongestComparedText)
            maxLength = std::max(maxLength, int(text.size()));
    }
    starts.push_back(p.text.size());
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        p.folded.push_back(QStringView(p.text).sliced(starts[k], starts[k + 1] - starts[k]));
        p.letters.push_back(letterClasses(p.folded.back()));
        p.counts.push_back(classCounts(p.folded.back()));
    }
    p.largest.resize(size_t(maxLength) + 1);
    for (int longest = 0; longest <= maxLength; ++longest)
        p.largest[size_t(longest)] = largestDistance(longest, threshold);
    return p;
}

// Lists the pair of rows i < j when it reaches the threshold; returns whether it does.
bool measurePair(const PreparedNames& p, const PatternDistance& distanceTo, const PairLine& line,
                 bool keepPairs, size_t i, size_t j, MeasuredRow& out)
{
    if (p.lengths[j] > int(kLongestComparedText))
        return false;
    const int longest = std::max(p.lengths[i], p.lengths[j]);
    const int allowed = p.largest[size_t(longest)];
    // The distance is never below the difference in length, nor below the letters one name
    // holds and the other lacks (see letterClasses).
    if (allowed < 0 || std::abs(p.lengths[i] - p.lengths[j]) > allowed)
        return false;
    if (!lettersAllow(p.letters[i], p.letters[j], allowed) ||
        !countsAllow(p.counts[i], p.counts[j], allowed))
        return false;
    const int d = distanceTo(p.folded[j], allowed);
    if (d > allowed)
        return false;
    if (line)
        line(out.lines, i, j, longest, d);
    if (keepPairs)
        out.pairs.emplace_back(quint32(i), quint32(j));
    return true;
}

// The pair lines of row i (its text against every later one, or against the candidates the
// index lists when it has them), and their count.
qint64 measureRow(const PreparedNames& p, const PieceIndex* index, PieceIndex::Scratch& scratch,
                  const PairLine& line, bool keepPairs, size_t i, MeasuredRow& out)
{
    if (p.lengths[i] > int(kLongestComparedText))
        return 0;
    qint64 count = 0;
    const PatternDistance distanceTo(p.folded[i]);
    if (index && index->candidates(i, scratch)) {
        // The candidates lie anywhere in memory: fetch a few ahead of the one measured.
        // The candidates lie anywhere in memory: fetch what a candidate 16 ahead needs, and its
        // text once the place of that is in, 8 ahead.
        constexpr size_t kAhead = 8;
        const std::vector<quint32>& found = scratch.found;
        for (size_t k = 0; k < found.size(); ++k) {
            if (k + 2 * kAhead < found.size()) {
                const quint32 ahead = found[k + 2 * kAhead];
                prefetch(&p.folded[ahead]);
                prefetch(&p.lengths[ahead]);
                prefetch(&p.letters[ahead]);
                prefetch(&p.counts[ahead]);
            }
            if (k + kAhead < found.size())
                prefetch(p.folded[found[k + kAhead]].data());
            count += measurePair(p, distanceTo, line, keepPairs, i, found[k], out);
        }
        return count;
    }
    for (size_t j = i + 1; j < p.lengths.size(); ++j)
        count += measurePair(p, distanceTo, line, keepPairs, i, j, out);
    return count;
}

// Measures the rows on every core, a chunk of rows at a time, and hands them to `write` in row
// order: each chunk is written while the next one is measured, so at most two chunks of rows are
// in memory. A failure anywhere ends the measuring and is raised here.
qint64 measureRows(const PreparedNames& p, const PairLine& line, bool keepPairs,
                   const std::function<void(const MeasuredRow&)>& write)
{
    const size_t rows = p.lengths.size();
    // A few names (a group of a report, say) are not worth a thread, nor an index.
    if (rows < 64) {
        qint64 total = 0;
        MeasuredRow row;
        PieceIndex::Scratch scratch;
        for (size_t i = 0; i < rows; ++i) {
            row.lines.clear();
            row.pairs.clear();
            total += measureRow(p, nullptr, scratch, line, keepPairs, i, row);
            write(row);
        }
        return total;
    }
    const PieceIndex index(p.folded, p.counts, p.lengths, p.largest, int(kLongestComparedText));
    const size_t cores = coreCount();
    std::vector<PieceIndex::Scratch> scratch(cores);
    // Rows that list candidates are quick: more of them make a chunk worth its threads.
    const size_t chunk = (index.used() ? 1024 : 32) * cores;
    struct Chunk {
        std::vector<MeasuredRow> rows;
        qint64 count = 0;
    };
    Chunk chunks[2];
    qint64 total = 0;
    for (size_t begin = 0, k = 0;; begin += chunk, k = 1 - k) {
        Chunk& measured = chunks[1 - k]; // the chunk before this one, to be written
        Chunk& measuring = chunks[k];
        const size_t end = std::min(rows, begin + chunk);
        measuring.rows.assign(end > begin ? end - begin : 0, MeasuredRow());
        std::atomic<size_t> next {begin};
        std::atomic<qint64> count {0};
        const auto measure = [&](size_t task) {
            for (size_t row; (row = next++) < end;)
                count += measureRow(p, index.used() ? &index : nullptr, scratch[task], line,
                                    keepPairs, row, measuring.rows[row - begin]);
        };
        std::vector<std::function<void()>> tasks;
        tasks.push_back([&] {
            for (const MeasuredRow& row : measured.rows)
                write(row);
            total += measured.count;
            measured.rows.clear();
            measure(0);
        });
        for (size_t task = 1; task < cores; ++task)
            tasks.push_back([&, task] { measure(task); });
        runTogether(tasks);
        measuring.count = count;
        if (begin >= rows)
            return total;
    }
}

} // namespace

qint64 measureSimilarPairs(const QStringList& texts, int threshold, const PairLine& line,
                           bool keepPairs, const std::function<void(const MeasuredRow&)>& write)
{
    return measureRows(prepare(texts, threshold), line, keepPairs, write);
}

PercentTexts::PercentTexts(const QStringList& texts, int threshold,
                           std::function<QByteArray(double percentage)> make)
    : m_make(std::move(make))
{
    for (const QString& text : texts) {
        const qsizetype longest = text.size();
        if (longest > kShownTableLength)
            continue;
        if (size_t(longest) >= m_texts.size())
            m_texts.resize(size_t(longest) + 1);
        std::vector<QByteArray>& shown = m_texts[size_t(longest)];
        if (!shown.empty())
            continue;
        for (int d = 0; d <= largestDistance(int(longest), threshold); ++d)
            shown.push_back(m_make(similarityPercentage(similarityRatio(d, int(longest)))));
    }
}

void PercentTexts::append(QByteArray& out, int longest, int distance) const
{
    if (size_t(longest) < m_texts.size() && size_t(distance) < m_texts[size_t(longest)].size()) {
        out.append(m_texts[size_t(longest)][size_t(distance)]);
        return;
    }
    out.append(m_make(similarityPercentage(similarityRatio(distance, longest))));
}

} // namespace urdiva
