// SPDX-License-Identifier: MIT
#include "engine/core/hash_map.h"
#include "engine/core/run_error.h"
#include "engine/io/line_reader.h"
#include "engine/io/record_stream.h"
#include "engine/names/field_memo.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace urdiva;
using urdiva::test::TempDir;

namespace {

struct Seen {
    QByteArray first, second, weight; // weight: "<none>" when the line has none
};

std::vector<Seen> readAll(RecordStream& stream)
{
    std::vector<Seen> out;
    stream.forEachBatch([&](std::span<const RecordStream::Record> records) {
        for (const RecordStream::Record& r : records) {
            for (const RecordStream::Field& f : r.ends) {
                if (f.present) {
                    EXPECT_EQ(f.hash, keyHash(f.key, f.keyIsText));
                }
            }
            out.push_back({r.ends[0].key.toByteArray(), r.ends[1].key.toByteArray(),
                           r.weight.isNull() ? QByteArray("<none>") : r.weight.toByteArray()});
        }
    });
    return out;
}

ConversionSettings settingsFor(const QString& path)
{
    ConversionSettings settings;
    settings.inputPath = path;
    settings.firstColumn = 0;
    settings.secondColumn = 2;
    settings.valueColumn = 1;
    settings.headerLines = 2;
    return settings;
}

// More lines than several batches hold: header lines skipped, blank and separator-only lines
// left out, short lines handed on with what they lack, weights without markers.
TEST(RecordStream, HandsOutEveryRecordInOrder)
{
    TempDir dir;
    QByteArray data = "cabe\xC3\xA7"
                      "alho;x;y\r\nsegundo\n";
    for (int i = 0; i < 20000; ++i)
        data += "a" + QByteArray::number(i) + ";" + QByteArray::number(i % 10) + ";b\r\n;;\n\n";
    data += "curto\nfim;\xC2\xB6 3;z";
    const QString path = dir.write(QStringLiteral("dados.csv"), data);
    RecordStream stream(std::make_unique<LineReader>(path), settingsFor(path));
    const std::vector<Seen> seen = readAll(stream);
    ASSERT_EQ(seen.size(), size_t(20002));
    for (int i = 0; i < 20000; i += 997) {
        EXPECT_EQ(seen[size_t(i)].first, "a" + QByteArray::number(i));
        EXPECT_EQ(seen[size_t(i)].second, "b");
    }
    EXPECT_EQ(seen[20000].first, "curto");
    EXPECT_TRUE(seen[20000].second.isEmpty());
    // The short line has no weight; the last one, cut on its bytes though they are not ASCII,
    // loses its marker.
    for (int i = 0; i < 20000; i += 997)
        EXPECT_EQ(seen[size_t(i)].weight, QByteArray::number(i % 10));
    EXPECT_EQ(seen[20000].weight, "<none>");
    EXPECT_EQ(seen[20001].weight, " 3");
}

// Long keys end batches early; every record still comes, in order.
TEST(RecordStream, LongFieldsInSmallBatches)
{
    TempDir dir;
    QByteArray data;
    for (int i = 0; i < 40; ++i)
        data += QByteArray(300000, char('a' + i % 26)) + QByteArray::number(i) + ";1;b\n";
    const QString path = dir.write(QStringLiteral("dados.csv"), data);
    ConversionSettings settings = settingsFor(path);
    settings.headerLines = 0;
    RecordStream stream(std::make_unique<LineReader>(path), settings);
    size_t batches = 0;
    int seen = 0;
    stream.forEachBatch([&](std::span<const RecordStream::Record> records) {
        ++batches;
        for (const RecordStream::Record& record : records) {
            EXPECT_EQ(record.ends[0].key,
                      QByteArray(300000, char('a' + seen % 26)) + QByteArray::number(seen));
            ++seen;
        }
    });
    EXPECT_EQ(seen, 40);
    EXPECT_GE(batches, size_t(10));
}

// The first line that looks quoted is known to the processing with the batch that holds it, not
// before (the reading runs batches ahead) nor after.
TEST(RecordStream, QuotedLookingLineComesWithItsBatch)
{
    TempDir dir;
    for (const int quoted : {0, 1, 8192, 8193, 30000, 40000}) {
        SCOPED_TRACE(quoted);
        QByteArray data;
        for (int line = 1; line <= 40000; ++line)
            data +=
                quoted != 0 && (line == quoted || line == quoted + 5) ? "\"a\";1;b\n" : "a;1;b\n";
        const QString path = dir.write(QStringLiteral("dados.csv"), data);
        ConversionSettings settings = settingsFor(path);
        settings.headerLines = 0;
        RecordStream stream(std::make_unique<LineReader>(path), settings);
        qint64 handedOver = 0;
        stream.forEachBatch([&](std::span<const RecordStream::Record> records) {
            // The reading is let run ahead, as far as it goes.
            if (handedOver == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            handedOver = records.back().line;
            EXPECT_EQ(stream.firstQuotedLookingSoFar(),
                      quoted != 0 && quoted <= handedOver ? quoted : 0);
        });
        EXPECT_EQ(handedOver, 40000);
        EXPECT_EQ(stream.notes().firstQuotedLooking, quoted);
    }
}

TEST(RecordStream, StoppingEarlyAndFailingLate)
{
    TempDir dir;
    QByteArray data;
    for (int i = 0; i < 50000; ++i)
        data += "a;1;b\n";
    const QString path = dir.write(QStringLiteral("dados.csv"), data);
    {
        // A caller that stops after one batch (say, on a record without its field) ends the
        // reading: its failure is raised, and no more batches come.
        RecordStream stream(std::make_unique<LineReader>(path), settingsFor(path));
        int batches = 0;
        EXPECT_THROW(stream.forEachBatch([&](std::span<const RecordStream::Record>) {
            ++batches;
            throw RunError(QStringLiteral("List index out of bounds (2)"));
        }),
                     RunError);
        EXPECT_EQ(batches, 1);
    }
#ifdef Q_OS_LINUX
    // A file that opens but cannot be read (the process's own memory, unmapped at its start):
    // the failure reaches the caller, not another thread.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    RecordStream stream(std::make_unique<LineReader>(unreadable), settingsFor(unreadable));
    EXPECT_THROW(readAll(stream), RunError);
#endif
}

} // namespace
