#include "pair_measure.h"

#include "report_format.h"
#include "rtf_text.h"
#include "similarity.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace urdiva {
namespace {

// Pair lines are made for longer lengths up to this from a table of their percentage texts; a
// pair with a longer name formats its own, so a very long name costs no table of its square.
constexpr int kShownTableLength = 256;

// Everything about the names that every pair reuses. Its size grows with the names and their
// lengths, never with the square of a length.
struct PreparedNames {
    std::vector<QString> folded;
    std::vector<int> lengths;
    std::vector<QByteArray> rtf;
    std::vector<int> largest; // the largest distance that reaches the threshold, by longer length
    // " = " percentage "%" in RTF, by longer length and distance, for the lengths that names
    // have up to kShownTableLength.
    std::vector<std::vector<QByteArray>> shown;
    QLocale locale;

    void appendShown(QByteArray& out, int longest, int distance) const
    {
        if (size_t(longest) < shown.size() && !shown[size_t(longest)].empty()) {
            out.append(shown[size_t(longest)][size_t(distance)]);
            return;
        }
        const double percentage = similarityPercentage(similarityRatio(distance, longest));
        out.append(rtfText(QStringLiteral("| = ") + formatPercentage(percentage, locale) + u'%'));
    }
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

PreparedNames prepare(const QStringList& names, int threshold, const QLocale& locale)
{
    PreparedNames p;
    p.locale = locale;
    int maxLength = 0;
    for (const QString& name : names) {
        p.folded.push_back(foldAsciiCase(name));
        p.lengths.push_back(int(name.size()));
        p.rtf.push_back(rtfText(name));
        maxLength = std::max(maxLength, int(name.size()));
    }
    p.largest.resize(size_t(maxLength) + 1);
    for (int longest = 0; longest <= maxLength; ++longest)
        p.largest[size_t(longest)] = largestDistance(longest, threshold);
    // The longer name of a pair is one of the names, so only their lengths need texts.
    p.shown.resize(size_t(std::min(maxLength, kShownTableLength)) + 1);
    for (const int longest : p.lengths) {
        if (longest > kShownTableLength || !p.shown[size_t(longest)].empty())
            continue;
        std::vector<QByteArray>& texts = p.shown[size_t(longest)];
        for (int d = 0; d <= p.largest[size_t(longest)]; ++d) {
            const double percentage = similarityPercentage(similarityRatio(d, longest));
            texts.push_back(
                rtfText(QStringLiteral("| = ") + formatPercentage(percentage, locale) + u'%'));
        }
    }
    return p;
}

// The pair lines of row i (its name against every later one), in RTF, and their count.
qint64 measureRow(const PreparedNames& p, size_t i, QByteArray& out)
{
    static const QByteArray kArrow = rtfText(QStringLiteral("| -> |"));
    qint64 count = 0;
    const size_t n = p.lengths.size();
    const PatternDistance distanceTo(p.folded[i]);
    for (size_t j = i + 1; j < n; ++j) {
        const int longest = std::max(p.lengths[i], p.lengths[j]);
        const int allowed = p.largest[size_t(longest)];
        // The distance is never below the difference in length.
        if (allowed < 0 || std::abs(p.lengths[i] - p.lengths[j]) > allowed)
            continue;
        const int d = distanceTo(p.folded[j], allowed);
        if (d > allowed)
            continue;
        out.append('|');
        out.append(p.rtf[i]);
        out.append(kArrow);
        out.append(p.rtf[j]);
        p.appendShown(out, longest, d);
        out.append(kRtfParagraphEnd);
        ++count;
    }
    return count;
}

// Measures the rows on worker threads and hands them to `write` in row order, keeping only a
// bounded window of finished rows in memory.
template <typename Write>
qint64 measureRows(const PreparedNames& p, Write write)
{
    const size_t rows = p.lengths.size();
    const size_t workers = std::max(1u, std::thread::hardware_concurrency());
    const size_t window = 8 * workers;
    struct Row {
        QByteArray rtf;
        qint64 count = 0;
        bool ready = false;
    };
    std::vector<Row> ring(window);
    std::atomic<size_t> nextRow {0};
    std::mutex mutex;
    std::condition_variable changed;
    size_t written = 0;
    bool stop = false;
    std::exception_ptr failure; // the first a worker met

    const auto work = [&] {
        for (;;) {
            const size_t row = nextRow++;
            if (row >= rows)
                return;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stop || row < written + window; });
                if (stop)
                    return;
            }
            QByteArray rtf;
            qint64 count = 0;
            try {
                count = measureRow(p, row, rtf);
            } catch (...) {
                // Out of memory, say: the caller raises it, and every worker stops.
                {
                    std::lock_guard lock(mutex);
                    if (!failure)
                        failure = std::current_exception();
                    stop = true;
                }
                changed.notify_all();
                return;
            }
            {
                std::lock_guard lock(mutex);
                Row& slot = ring[row % window];
                slot.rtf = std::move(rtf);
                slot.count = count;
                slot.ready = true;
            }
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    try {
        for (size_t k = 0; k < workers; ++k)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // Fewer threads than asked for (a limit on processes, say): those started share the rows;
        // with none, this thread measures them alone.
    }
    if (threads.empty()) {
        qint64 total = 0;
        for (size_t row = 0; row < rows; ++row) {
            QByteArray rtf;
            total += measureRow(p, row, rtf);
            write(rtf);
        }
        return total;
    }
    const auto stopWorkers = [&] {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        changed.notify_all();
        for (std::thread& t : threads)
            t.join();
    };

    qint64 total = 0;
    try {
        for (size_t row = 0; row < rows; ++row) {
            Row taken;
            {
                std::unique_lock lock(mutex);
                Row& slot = ring[row % window];
                changed.wait(lock, [&] { return slot.ready || failure; });
                if (failure)
                    std::rethrow_exception(failure);
                taken.rtf = std::move(slot.rtf);
                taken.count = slot.count;
                slot = Row();
                written = row + 1;
            }
            changed.notify_all();
            total += taken.count;
            write(taken.rtf);
        }
    } catch (...) {
        stopWorkers();
        throw;
    }
    stopWorkers();
    return total;
}

} // namespace

qint64 measureSimilarPairs(const QStringList& names, int threshold, const QLocale& locale,
                           const std::function<void(const QByteArray&)>& write)
{
    return measureRows(prepare(names, threshold, locale), write);
}

} // namespace urdiva
