// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "engine/network/record_log.h"
#include "test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace urdiva;
using urdiva::test::TempDir;

namespace {

// Records come back in order, whole (weights and, here with them, times), wherever the log kept
// them: all in memory, all but the last chunk in the temporary file, or the first in memory and
// the rest in the file; the file is gone afterwards.
TEST(RecordLog, GivesBackEveryRecordInOrder)
{
    TempDir spillDir;
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(spillDir.path(QString())));
    const size_t chunkBytes = RecordLog::kChunkRecords * 2 * sizeof(FieldMemo::FieldRef);
    const size_t records = RecordLog::kChunkRecords * 5 / 2;
    for (const size_t bound :
         {size_t(0), chunkBytes + RecordLog::kChunkRecords * 8, RecordLog::kMemoryBound}) {
        for (const bool weighted : {false, true}) {
            // Records of two fields, then records of names (0 to 3 on the first end, 1 on the
            // second).
            for (const bool names : {false, true}) {
                RecordLog log(weighted, bound);
                std::string expectedWeights;
                std::vector<FieldMemo::FieldRef> expectedEnds;
                std::vector<quint32> expectedCounts;
                std::vector<qint32> expectedTimes;
                for (size_t r = 0; r < records; ++r) {
                    const QByteArray weight = r % 7 == 0 ? QByteArray("") : QByteArray::number(r);
                    std::vector<FieldMemo::FieldRef> first;
                    for (size_t k = 0; k < (names ? r % 4 : 1); ++k)
                        first.push_back(FieldMemo::FieldRef(r * 3 + k));
                    const std::vector<FieldMemo::FieldRef> second {FieldMemo::FieldRef(r * 5 + 1)};
                    if (names) {
                        log.addNames(first, second, weight, qint64(r));
                        expectedCounts.insert(expectedCounts.end(), {quint32(first.size()), 1});
                    } else {
                        log.add(first[0], second[0], weight, qint64(r));
                    }
                    expectedEnds.insert(expectedEnds.end(), first.begin(), first.end());
                    expectedEnds.push_back(second[0]);
                    expectedWeights += weight.toStdString() + '\n';
                    if (weighted) {
                        log.addTime(qint32(r) - 7);
                        expectedTimes.push_back(qint32(r) - 7);
                    }
                }
                EXPECT_EQ(log.firstLackingWeight(), 0);
                std::vector<FieldMemo::FieldRef> ends;
                std::vector<quint32> counts;
                std::string weights;
                std::vector<qint32> times;
                size_t chunkRecords = 0;
                log.drain([&](const RecordLog::Chunk& chunk) {
                    ends.insert(ends.end(), chunk.ends.begin(), chunk.ends.end());
                    counts.insert(counts.end(), chunk.counts.begin(), chunk.counts.end());
                    weights += chunk.weights;
                    times.insert(times.end(), chunk.times.begin(), chunk.times.end());
                    chunkRecords += chunk.records();
                });
                EXPECT_EQ(chunkRecords, records) << bound;
                EXPECT_TRUE(ends == expectedEnds) << bound;
                EXPECT_TRUE(counts == expectedCounts) << bound;
                EXPECT_EQ(weights, weighted ? expectedWeights : std::string()) << bound;
                EXPECT_TRUE(times == expectedTimes) << bound;
                EXPECT_TRUE(QDir(spillDir.path(QString())).isEmpty()) << bound;
            }
        }
    }
#ifndef _WIN32 // Windows names its temporary folder by TMP and TEMP
    // A TMPDIR naming no folder is named in the error, rather than spilling to the root.
    const QString missing = spillDir.path(QStringLiteral("sumida"));
    qputenv("TMPDIR", QFile::encodeName(missing));
    RecordLog log(false, 0);
    try {
        for (size_t r = 0; r <= RecordLog::kChunkRecords; ++r)
            log.add(FieldMemo::FieldRef(r), FieldMemo::FieldRef(r), {}, qint64(r));
        ADD_FAILURE() << "no error";
    } catch (const RunError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"%1\" (TMPDIR)").arg(missing)));
    }
#endif
    if (tmpdir.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdir);
}

} // namespace
