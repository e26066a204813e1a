// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "engine/io/line_reader.h"
#include "engine/io/record_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;
using urdiva::test::TempDir;

namespace {

// Every line, each peeked at first: a peek must give the line that is read next.
QStringList readAll(const QString& path)
{
    LineReader reader(path);
    QStringList lines;
    QString line;
    const auto peek = [&reader] { return peekRecord(reader, u';', false); };
    for (QString peeked = peek(); reader.readLine(line); peeked = peek()) {
        EXPECT_EQ(peeked, line);
        lines << line;
    }
    return lines;
}

struct ReaderCase {
    const char* name;
    QByteArray bytes;
    QStringList lines;
};

void PrintTo(const ReaderCase& c, std::ostream* os)
{
    *os << c.name;
}

class LineReaderTest : public ::testing::TestWithParam<ReaderCase> { };

TEST_P(LineReaderTest, ReadsLines)
{
    TempDir dir;
    EXPECT_EQ(readAll(dir.write(QStringLiteral("in.csv"), GetParam().bytes)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineReaderTest,
    ::testing::Values(
        ReaderCase {"empty", "", {}}, ReaderCase {"one_line_no_break", "a;b", {"a;b"}},
        ReaderCase {"lf", "a\nb\n", {"a", "b"}}, ReaderCase {"crlf", "a\r\nb\r\n", {"a", "b"}},
        ReaderCase {"final_break_adds_nothing", "a\n", {"a"}},
        ReaderCase {"empty_lines_kept", "\na\n\nb", {"", "a", "", "b"}},
        ReaderCase {"one_break", "\n", {""}}, ReaderCase {"two_breaks", "\n\n", {"", ""}},
        ReaderCase {"lone_cr_dropped", "a\rb\nc", {"ab", "c"}},
        ReaderCase {"cr_cr_lf", "a\r\r\nb", {"a", "b"}},
        ReaderCase {"final_cr_ends_line", "a\nb\r", {"a", "b"}},
        ReaderCase {"cr_alone", "\r", {""}},
        ReaderCase {"cr_inside_a_letter", "Jos\xC3\r\xA9\n", {QString::fromUtf16(u"José")}},
        ReaderCase {"ctrl_z_before_breaks_ends_file", "a\nb\x1A\r\n\x1A\n", {"a", "b"}},
        ReaderCase {"ctrl_z_before_text_dropped", "a\nb\x1A\nc\n", {"a", "b", "c"}},
        ReaderCase {"ctrl_z_first",
                    "\x1A"
                    "a",
                    {"a"}},
        ReaderCase {"ctrl_z_after_break", "a\n\x1A", {"a"}},
        ReaderCase {"utf8_bom_skipped",
                    "\xEF\xBB\xBF"
                    "Ana\n",
                    {"Ana"}},
        ReaderCase {"bom_alone", "\xEF\xBB\xBF", {}},
        ReaderCase {"bom_only_at_start",
                    "a\n\xEF\xBB\xBF"
                    "b",
                    {"a", QStringView(u"\uFEFFb").toString()}},
        ReaderCase {"windows1252", "Jos\xE9\r\n", {QString::fromUtf16(u"José")}},
        ReaderCase {"utf8", "Jos\xC3\xA9\r\n", {QString::fromUtf16(u"José")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineReader, LinesLongerThanABlock)
{
    TempDir dir;
    const QByteArray longLine(3 * 1024 * 1024 + 7, 'x');
    const QString path = dir.write(QStringLiteral("long.csv"), longLine + "\r\n" + longLine);
    const QStringList lines = readAll(path);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), longLine.size());
    EXPECT_EQ(lines[1].size(), longLine.size());
}

TEST(LineReader, BreaksAcrossBlockBoundaries)
{
    // CR LF pairs and multi-byte letters that straddle the 1 MiB block edge, in UTF-8 and in
    // UTF-16 (each of whose 2-byte units is read into up to 3 bytes).
    TempDir dir;
    QString text;
    QStringList expected;
    for (int i = 0; text.size() < 3 * 512 * 1024; ++i) {
        const QString line =
            QStringLiteral("nome %1 \u00E7\U0001F600").arg(i) + QString(i % 7, u'y');
        text += line + QStringLiteral("\r\n");
        expected << line;
    }
    QByteArray utf16 = "\xFF\xFE";
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    EXPECT_EQ(readAll(dir.write(QStringLiteral("many.csv"), text.toUtf8())), expected);
    EXPECT_EQ(readAll(dir.write(QStringLiteral("many16.csv"), utf16)), expected);
}

TEST(LineReader, LongestLine)
{
    TempDir dir;
    const QString path =
        dir.write(QStringLiteral("long.csv"), "a;b\n" + QByteArray((256 << 20) + 2, 'x'));
    LineReader reader(path);
    QString line;
    EXPECT_TRUE(reader.readLine(line));
    try {
        reader.readLine(line);
        FAIL() << "read a line of more than 256 MiB";
    } catch (const RunError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("A linha 2 passa de 256 MiB; linhas tão longas não são lidas."));
    }
}

struct OpenFailure {
    const char* name;
    QString relativePath;
    QString text;
};

void PrintTo(const OpenFailure& c, std::ostream* os)
{
    *os << c.name;
}

class LineReaderOpenTest : public ::testing::TestWithParam<OpenFailure> { };

TEST_P(LineReaderOpenTest, ReportsTheSystemError)
{
    if (QLatin1StringView(GetParam().name) == u"name_too_long")
        URDIVA_SKIP_ON_WINDOWS("the reason given for a name too long is the system's own");
    TempDir dir;
    const QString path =
        GetParam().relativePath.isNull() ? QString() : dir.path(GetParam().relativePath);
    try {
        LineReader reader(path);
        FAIL() << "opened " << path.toStdString();
    } catch (const RunError& e) {
        EXPECT_EQ(e.message(), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LineReaderOpenTest,
    ::testing::Values(OpenFailure {"missing_file", "nada.csv", "File not found"},
                      OpenFailure {"missing_folder", "pasta/nada.csv", "Invalid filename"},
                      OpenFailure {"folder", ".", "File access denied"},
                      OpenFailure {"empty_path", QString(), "Invalid filename"},
                      OpenFailure {"name_too_long", QString(300, u'n'), "Invalid filename"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
