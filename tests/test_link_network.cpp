// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_error.h"
#include "engine/io/cell_names.h"
#include "engine/io/record_line.h"
#include "engine/network/link_merger.h"
#include "test_support.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <charconv>
#include <functional>
#include <map>

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::RecordingFeedback;
using urdiva::test::TempDir;
using urdiva::test::textLines;

namespace {

using Setup = std::function<void(ConversionSettings&)>;

// Runs over the data (records of "a;b;weight" unless set otherwise) and returns the network
// file's lines, or the error's text.
QStringList convert(const QByteArray& data, const Setup& setup)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    TempDir dir;
    ConversionSettings settings;
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), data);
    settings.outputPath = dir.path(QStringLiteral("rede"));
    setup(settings);
    RecordingFeedback feedback;
    try {
        runConversion(settings, feedback);
    } catch (const RunError& error) {
        return {QStringLiteral("error: ") + error.message()};
    }
    return textLines(readBytes(settings.outputPath + QStringLiteral(".net")));
}

Setup merged(
    MergeRule rule, bool weighted = true, Setup more = [](ConversionSettings&) {})
{
    return [=](ConversionSettings& s) {
        s.merge = rule;
        if (weighted)
            s.valueColumn = 2;
        more(s);
    };
}

Setup cells(
    QChar separator, Setup more = [](ConversionSettings&) {})
{
    return [=](ConversionSettings& s) {
        s.cellSeparator = separator;
        more(s);
    };
}

struct Case {
    const char* name;
    QByteArray data;
    Setup setup;
    QStringList expected;
};

QStringList vertices(std::initializer_list<const char*> names, const char* kind = "*Edges")
{
    QStringList lines {QStringLiteral("*Vertices %1").arg(names.size())};
    int n = 0;
    for (const char* name : names)
        lines << QStringLiteral("%1 \"%2\"").arg(++n).arg(QString::fromUtf8(name));
    lines << QString::fromLatin1(kind);
    return lines;
}

const Case kCases[] = {
    // Merged links: one line at the place of the first, either order for edges.
    {"sum", "a;b;1\nb;a;2.5\na;c;4\na;b;-0.5\n", merged(MergeRule::Sum),
     vertices({"a", "b", "c"}) << "1 2 3"
                               << "1 3 4"},
    {"sum of decimal commas", "a;b;1,5\nb;a;1.000,5\n",
     merged(MergeRule::Sum, true, [](ConversionSettings& s) { s.decimalComma = true; }),
     vertices({"a", "b"}) << "1 2 1002"},
    {"sum of arcs keeps directions apart", "a;b;1\nb;a;2\na;b;3\n",
     merged(MergeRule::Sum, true, [](ConversionSettings& s) { s.directed = true; }),
     vertices({"a", "b"}, "*Arcs") << "1 2 4"
                                   << "2 1 2"},
    {"count needs no weight", "a;b\nb;a\na;c\nc;\n", merged(MergeRule::Count, false),
     vertices({"a", "b", "c"}) << "1 2 2"
                               << "1 3 1"},
    {"max keeps the largest weight's text", "a;b;2\na;b;2.50\nb;a;1e0\n", merged(MergeRule::Max),
     vertices({"a", "b"}) << "1 2 2.50"},
    {"first keeps the first weight's text", "a;b;x\nb;a;y\n", merged(MergeRule::First),
     vertices({"a", "b"}) << "1 2 x"},
    {"two-mode pairs", "a;a;1\na;b;2\na;a;3\n",
     merged(MergeRule::Sum, true, [](ConversionSettings& s) { s.mode = NetworkMode::TwoMode; }),
     QStringList {"*Vertices 3 1", "1 \"a\"", "2 \"a\"", "3 \"b\"", "*Edges", "1 2 4", "1 3 2"}},
    {"a weight that is not a number",
     "a;b;1\na;b;um\n",
     merged(MergeRule::Sum),
     {"error: O peso \"um\" não é um número."}},
    {"a blank weight",
     "a;b;1\na;b;\n",
     merged(MergeRule::Max),
     {"error: O peso \"\" não é um número."}},
    {"a weight beyond a double",
     "a;b;1\na;b;1e999\n",
     merged(MergeRule::Max),
     {"error: O peso \"1e999\" passa do maior número que se pode somar ou comparar."}},
    {"a sum beyond a double",
     "a;b;1e308\nb;a;1e308\n",
     merged(MergeRule::Sum),
     {"error: A soma dos pesos da ligação 1 2 passa do maior número que se pode gravar."}},
    {"weights nearer to zero than a double are refused",
     "a;b;1e-320\n",
     merged(MergeRule::Max),
     {"error: O peso \"1e-320\" é mais próximo de zero que o menor número que se pode somar ou "
      "comparar."}},
    {"each link's sum keeps its own unit",
     "a;b;12345678901234567.89\na;b;0.01\nx;y;0.00000000000000000001\n"
     "c;d;123456789012345678901234567890\nc;d;1\ne;f;1e-20\ne;f;1\n",
     merged(MergeRule::Sum),
     vertices({"a", "b", "x", "y", "c", "d", "e", "f"}) << "1 2 12345678901234567.9"
                                                        << "3 4 0.00000000000000000001"
                                                        << "5 6 123456789012345678901234567891"
                                                        << "7 8 1.00000000000000000001"},
    {"max compares the decimals, not their doubles",
     "a;b;9007199254740992\na;b;9007199254740993\nb;a;9007199254740992.5\nc;d;-0.10\n"
     "c;d;-1e-1\nc;d;-0.100000000000000000001\n",
     merged(MergeRule::Max),
     vertices({"a", "b", "c", "d"}) << "1 2 9007199254740993"
                                    << "3 4 -0.10"},
    {"decimal comma: a point only groups thousands",
     "a;b;0.125\nc;d;1.234.567,5\ne;f;2.500\ng;h;0,5E+02\ni;j;12.3456\n",
     [](ConversionSettings& s) {
         s.valueColumn = 2;
         s.decimalComma = true;
     },
     vertices({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}) << "1 2 0.125"
                                                                  << "3 4 1234567.5"
                                                                  << "5 6 2500"
                                                                  << "7 8 0.5E+02"
                                                                  << "9 10 12.3456"},
    {"decimal comma: a point that groups nothing is no number",
     "a;b;1,5\na;b;0.125\n",
     merged(MergeRule::Sum, true, [](ConversionSettings& s) { s.decimalComma = true; }),
     {"error: O peso \"0.125\" não é um número."}},

    // Names listed in a cell.
    {"every name of one end to every name of the other", "a|b;x|y;7\n",
     cells(u'|', [](ConversionSettings& s) { s.valueColumn = 2; }),
     vertices({"a", "b", "x", "y"}) << "1 3 7"
                                    << "1 4 7"
                                    << "2 3 7"
                                    << "2 4 7"},
    {"spaces around names and empty names dropped", " a | |b ;x\n", cells(u'|'),
     vertices({"a", "b", "x"}) << "1 3"
                               << "2 3"},
    {"a link once per record", "a|a|A;x\n", cells(u'|'), vertices({"a", "x"}) << "1 2"},
    {"an empty cell links nothing", ";x\na;x\n", cells(u'|'), vertices({"x", "a"}) << "2 1"},
    {"two-mode cells", "a|b;x\nb;x|y\n",
     cells(u'|', [](ConversionSettings& s) { s.mode = NetworkMode::TwoMode; }),
     QStringList {"*Vertices 4 2", "1 \"a\"", "2 \"b\"", "3 \"x\"", "4 \"y\"", "*Edges", "1 3",
                  "2 3", "2 3", "2 4"}},
    {"a non-ASCII cell separator", "a§b;x\n", cells(u'§'),
     vertices({"a", "b", "x"}) << "1 3"
                               << "2 3"},

    // Co-occurrence: the names of one cell linked pairwise, without loops.
    {"a clique per record", "a|b|c\nd\nb|b\n",
     cells(u'|', [](ConversionSettings& s) { s.cooccur = true; }),
     vertices({"a", "b", "c", "d"}) << "1 2"
                                    << "1 3"
                                    << "2 3"},
    {"counted over records", "a|b;1\nb|a|c;2\nc|b;3\n",
     cells(u'|',
           [](ConversionSettings& s) {
               s.cooccur = true;
               s.merge = MergeRule::Count;
           }),
     vertices({"a", "b", "c"}) << "1 2 2"
                               << "2 3 2"
                               << "1 3 1"},
    {"the second column is not read", "a|b\n",
     cells(u'|',
           [](ConversionSettings& s) {
               s.cooccur = true;
               s.secondColumn = 5;
           }),
     vertices({"a", "b"}) << "1 2"},

    // Projection: shared vertices of the other mode, each counted once.
    {"people by the events they share", "p1;e1\np2;e1\np1;e2\np3;e2\np2;e2\np2;e2\np4;e3\n",
     [](ConversionSettings& s) {
         s.mode = NetworkMode::TwoMode;
         s.projection = Projection::FirstMode;
     },
     vertices({"p1", "p2", "p3", "p4"}) << "1 2 2"
                                        << "1 3 1"
                                        << "2 3 1"},
    {"events by the people they share", "p1;e1\np2;e1\np1;e2\np2;e2\np3;e3\n",
     [](ConversionSettings& s) {
         s.mode = NetworkMode::TwoMode;
         s.projection = Projection::SecondMode;
     },
     vertices({"e1", "e2", "e3"}) << "1 2 2"},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class LinkNetworkTest : public ::testing::TestWithParam<Case> { };

TEST_P(LinkNetworkTest, GiveTheNetwork)
{
    const Case& c = GetParam();
    EXPECT_EQ(convert(c.data, c.setup), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, LinkNetworkTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::to_string(info.index);
                         });

std::pair<QString, QString> unordered(const QString& a, const QString& b)
{
    return a < b ? std::pair(a, b) : std::pair(b, a);
}

// Merged weights against a plain reference: the sum of each pair's weights, whatever the order
// of its ends, and so the sum of all weights.
TEST(LinkNetwork, MergedSumsMatchAPlainReference)
{
    QRandomGenerator random(20261209);
    for (int round = 0; round < 20; ++round) {
        QByteArray data;
        std::map<std::pair<QString, QString>, qint64> expected;
        const int records = 1 + random.bounded(300);
        for (int r = 0; r < records; ++r) {
            const QString a = QStringLiteral("n%1").arg(random.bounded(12));
            const QString b = QStringLiteral("n%1").arg(random.bounded(12));
            const qint64 weight = random.bounded(-1000, 1000);
            data += QStringLiteral("%1;%2;%3\n").arg(a, b).arg(weight).toUtf8();
            expected[unordered(a, b)] += weight;
        }
        const QStringList lines = convert(data, merged(MergeRule::Sum));
        const qsizetype edges = lines.indexOf(QStringLiteral("*Edges"));
        ASSERT_GT(edges, 0) << lines.join(u'\n').toStdString();
        const auto name = [&](const QString& number) {
            return lines.at(number.toInt()).section(u'"', 1, 1);
        };
        std::map<std::pair<QString, QString>, qint64> merged;
        for (qsizetype i = edges + 1; i < lines.size(); ++i) {
            const QStringList parts = lines.at(i).split(u' ');
            ASSERT_EQ(parts.size(), 3);
            const auto key = unordered(name(parts[0]), name(parts[1]));
            EXPECT_EQ(merged.count(key), 0u) << "a pair merged twice";
            merged[key] = parts[2].toLongLong();
        }
        EXPECT_EQ(merged, expected);
    }
}

} // namespace
