// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "engine/io/field_marker.h"
#include "engine/io/record_line.h"
#include "engine/network/network_text.h"
#include "engine/network/record_log.h"
#include "reference.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace urdiva;
using urdiva::test::TempDir;

namespace {

// The whole text written at once, as a run with a pane to show it in writes it.
bool writeNetworkFile(const QString& path, NetworkText text, Replace replace)
{
    OutputFiles files;
    NetworkFile file(files, path, replace);
    file.write(text);
    file.finish();
    return files.commit();
}

TEST(NetworkText, CountAndKindLines)
{
    EXPECT_EQ(vertexCountLine(3, 0, NetworkMode::OneMode), QStringLiteral("*Vertices 3"));
    EXPECT_EQ(vertexCountLine(2, 2, NetworkMode::TwoMode), QStringLiteral("*Vertices 4 2"));
    EXPECT_EQ(vertexCountLine(0, 0, NetworkMode::TwoMode), QStringLiteral("*Vertices 0 0"));
    EXPECT_EQ(linkKindLine(false), QStringLiteral("*Edges"));
    EXPECT_EQ(linkKindLine(true), QStringLiteral("*Arcs"));
}

TEST(NetworkText, VertexAndEdgeLinesDropMarkersOnly)
{
    NetworkText text;
    text.appendVertexLines(
        {QString::fromUtf16(u"Ana¶"), QString::fromUtf16(u"O \"Rei\"¶"), QString::fromUtf16(u"¶")},
        9);
    RecordLine line(u';');
    line.assign("x;3,5 kg;(7) \xC2\xB6;\xE9;");
    QByteArray storage;
    text.appendEdgeLine(9, 10, line.unmarkedUtf8(1, storage));
    text.appendEdgeLine(11, 11);
    text.appendEdgeLine(1, 2, line.unmarkedUtf8(2, storage));
    text.appendEdgeLine(1, 2, line.unmarkedUtf8(3, storage));
    text.appendEdgeLine(1, 2, line.unmarkedUtf8(4, storage));
    EXPECT_EQ(urdiva::reference::networkLines(text),
              (QStringList {"9 \"Ana\"", "10 \"O 'Rei'\"", "11 \"\"", "9 10 3,5 kg", "11 11",
                            "1 2 (7) ", QString::fromUtf16(u"1 2 é"), "1 2 "}));
}

// Vertex names are encoded as Qt encodes them, markers left out, whatever their characters but
// NUL, which readers take for the end of the text: it is written as U+FFFD.
TEST(NetworkText, VertexNamesInUtf8)
{
    const QString names[] = {
        QString::fromUtf16(u"Jo\u00E3o \u00B6Gon\u00E7alves\u00B6"), // Latin-1
        QString::fromUtf16(u"\u0416\u00B6\u20AC\uFFFD"), // two and three bytes
        QString::fromUtf16(u"\U0001F600 a\u00B6"), // a surrogate pair
        u'x' + QString(QChar(0xD800)) + QString::fromUtf16(u"y\u00B6"), // a lone high half
        QString(QChar(0xDC00)) + QChar(0xB6), // a lone low half
        QString(QChar(0)) + QString::fromUtf16(u"\u007F\u0080\u07FF\u0800"),
    };
    for (const QString& name : names) {
        NetworkText text;
        text.appendVertexLines({name}, 7);
        EXPECT_EQ(text.utf8(), "7 \"" +
                                   removeMarkers(name).replace(QChar(0), QChar(0xFFFD)).toUtf8() +
                                   "\"\r\n");
    }
}

// A text written out as it fills holds, pieces and rest together, exactly the text made whole;
// each piece is whole lines, at least half a piece, and at most two (or a few of the longest lines
// where they are longer than a piece).
TEST(NetworkText, WrittenOutInPiecesAsMadeWhole)
{
    const QStringList names = {QStringLiteral("Ana"), QString(700, u'x'), QStringLiteral("Bia¶"),
                               QString(5, u'\u00E9')};
    const auto make = [&](NetworkText& text) {
        text.appendLine(u"*Vertices 4");
        for (int round = 0; round < 40; ++round) {
            text.appendVertexLines(names, 1 + 4 * round);
            text.appendEdgeLine(round, 2 * round + 1);
            text.appendEdgeLine(round, 3, "1,5");
            NetworkText tail;
            tail.appendEdgeLine(7, round);
            text.append(tail);
        }
    };
    NetworkText whole;
    make(whole);
    for (const qsizetype pieceBytes : {1, 64, 1000, 5000, 1 << 20}) {
        SCOPED_TRACE(pieceBytes);
        QByteArray written;
        NetworkText text;
        const qsizetype most = std::max<qsizetype>(2 * pieceBytes, 8 * 712);
        text.writeOutEvery(pieceBytes, [&](NetworkText& full) {
            const QByteArrayView piece = full.utf8();
            EXPECT_GE(2 * piece.size(), pieceBytes);
            EXPECT_LE(piece.size(), most);
            EXPECT_TRUE(piece.endsWith("\r\n"));
            written += piece;
            full.clear();
        });
        make(text);
        EXPECT_LE(text.utf8().size(), most);
        written += text.utf8();
        EXPECT_EQ(written, whole.utf8());
    }
}

TEST(NetworkText, FileHasBomUtf8AndCrLf)
{
    NetworkText text;
    text.appendLine(u"*Vertices 1");
    text.appendVertexLines({QString::fromUtf16(u"João¶")}, 1);
    text.appendLine(u"*Edges");
    TempDir dir;
    const QString path = dir.path(QStringLiteral("rede.net"));
    ASSERT_TRUE(writeNetworkFile(path, text, Replace::Never));
    EXPECT_EQ(urdiva::test::readBytes(path),
              QByteArray("\xEF\xBB\xBF*Vertices 1\r\n1 \"Jo\xC3\xA3o\"\r\n*Edges\r\n"));
}

#ifndef _WIN32 // POSIX file kinds (pipes, devices, links) and their errors
// What is at the output path decides what the writer may do: a regular file (or a link to one)
// is replaced whole, and only with consent; anything else is never touched.
TEST(NetworkWriter, ReplacesOnlyRegularFilesAndOnlyWithConsent)
{
    const QByteArray before("a rede de antes");
    const QByteArray written("\xEF\xBB\xBF*Vertices 0\r\n");
    struct Case {
        const char* name;
        std::function<QString(const TempDir&)> make; // makes what is there, gives the path
        Replace replace;
        const char* outcome; // "written", "kept" (commit refused) or the error's reason
        QByteArray after; // the bytes at the path afterwards
    };
    const auto regular = [&](const TempDir& d) {
        return d.write(QStringLiteral("rede.net"), before);
    };
    const auto link = [&](const TempDir& d) {
        QFile::link(d.write(QStringLiteral("alvo.net"), before),
                    d.path(QStringLiteral("rede.net")));
        return d.path(QStringLiteral("rede.net"));
    };
    const auto fifo = [](const TempDir& d) {
        const QString path = d.path(QStringLiteral("rede.net"));
        ::mkfifo(QFile::encodeName(path).constData(), 0666);
        return path;
    };
    const auto device = [](const TempDir& d) {
        QFile::link(QStringLiteral("/dev/null"), d.path(QStringLiteral("rede.net")));
        return d.path(QStringLiteral("rede.net"));
    };
    const auto folder = [](const TempDir& d) {
        QDir(d.path()).mkdir(QStringLiteral("rede.net"));
        return d.path(QStringLiteral("rede.net"));
    };
    const Case cases[] = {
        {"nothing there", [](const TempDir& d) { return d.path(QStringLiteral("rede.net")); },
         Replace::Never, "written", written},
        {"a file, with consent", regular, Replace::Allowed, "written", written},
        {"a file, without consent", regular, Replace::Never, "kept", before},
        {"a link to a file", link, Replace::Allowed, "written", written},
        {"a pipe", fifo, Replace::Allowed, "Not a regular file", {}},
        {"a link to a device", device, Replace::Allowed, "Not a regular file", {}},
        {"a folder", folder, Replace::Allowed, "Is a directory", {}},
        {"a missing folder",
         [](const TempDir& d) { return d.path(QStringLiteral("nada/r.net")); },
         Replace::Never,
         "No such file or directory",
         {}},
        {"a name too long",
         [](const TempDir& d) { return d.path(QString(300, u'r') + QStringLiteral(".net")); },
         Replace::Never,
         "File name too long",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString path = c.make(dir);
        const QStringList entries =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        const bool wasLink = QFileInfo(path).isSymLink();
        const auto kindAt = [&] {
            struct stat st { };
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
        };
        const mode_t kind = kindAt();
        QString outcome;
        try {
            NetworkText text;
            text.appendLine(u"*Vertices 0");
            outcome = writeNetworkFile(path, text, c.replace) ? QStringLiteral("written")
                                                              : QStringLiteral("kept");
        } catch (const RunError& e) {
            const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
            EXPECT_TRUE(e.message().startsWith(prefix)) << e.message().toStdString();
            outcome = e.message().mid(prefix.size());
        }
        EXPECT_EQ(outcome, QLatin1StringView(c.outcome));
        if (!c.after.isNull()) {
            EXPECT_EQ(urdiva::test::readBytes(path), c.after);
        }
        // Nothing left behind, nothing taken away: a link stays a link, a pipe a pipe.
        EXPECT_EQ(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            outcome == u"written" && entries.isEmpty() ? QStringList {"rede.net"} : entries);
        EXPECT_EQ(QFileInfo(path).isSymLink(), wasLink);
        if (outcome != u"written") {
            EXPECT_EQ(kindAt(), kind);
        } else if (kind == 0) {
            EXPECT_EQ(QFileInfo(path).permissions() & 0x0777, QFileDevice::Permissions(0x0644))
                << "a new network is as readable as any new file (umask 022)";
        }
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists());
}
#endif

} // namespace

// Records come back in order, whole, wherever the log kept them: all in memory, all but the last
// chunk in the temporary file, or the first in memory and the rest in the file; the file is gone
// afterwards.
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
                }
                EXPECT_EQ(log.firstLackingWeight(), 0);
                std::vector<FieldMemo::FieldRef> ends;
                std::vector<quint32> counts;
                std::string weights;
                size_t chunkRecords = 0;
                log.drain([&](const RecordLog::Chunk& chunk) {
                    ends.insert(ends.end(), chunk.ends.begin(), chunk.ends.end());
                    counts.insert(counts.end(), chunk.counts.begin(), chunk.counts.end());
                    weights += chunk.weights;
                    chunkRecords += chunk.records();
                });
                EXPECT_EQ(chunkRecords, records) << bound;
                EXPECT_TRUE(ends == expectedEnds) << bound;
                EXPECT_TRUE(counts == expectedCounts) << bound;
                EXPECT_EQ(weights, weighted ? expectedWeights : std::string()) << bound;
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
