// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_error.h"
#include "engine/report/similarity_report.h"
#include "reference.h"
#include "test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::RecordingFeedback;
using urdiva::test::TempDir;

namespace {

QString stage(int n)
{
    return QStringLiteral("showStage:") + messages::stageText(n);
}

QStringList successfulCalls(const QString& message = messages::savedNetwork())
{
    return {stage(1),
            QStringLiteral("clearOutput"),
            stage(2),
            stage(3),
            stage(4),
            stage(5),
            stage(6),
            QStringLiteral("closeProgress"),
            QStringLiteral("showMessage:") + message};
}

// The lines of a written network file, checked for the byte-order mark and CR LF endings.
QStringList networkLines(const QString& path)
{
    QByteArray bytes = readBytes(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    bytes.remove(0, 3);
    EXPECT_TRUE(bytes.isEmpty() || bytes.endsWith("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

class ConversionRunTest : public ::testing::Test {
protected:
    LocaleGuard locale {QStringLiteral("pt_BR")};
    TempDir dir;
    ConversionSettings settings;
    RecordingFeedback feedback;

    // Runs over the data and returns the lines of the network file.
    QStringList convert(const QByteArray& data)
    {
        settings.inputPath = dir.write(QStringLiteral("dados.csv"), data);
        settings.outputPath = dir.path(QStringLiteral("rede"));
        QFile::remove(dir.path(QStringLiteral("rede.net")));
        feedback.calls.clear();
        EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
        EXPECT_EQ(feedback.calls, successfulCalls());
        const QStringList lines = networkLines(dir.path(QStringLiteral("rede.net")));
        EXPECT_EQ(feedback.output, lines.join(u'\n'));
        return lines;
    }

    // Runs over the data expecting an error; returns its text.
    QString failure(const QByteArray& data)
    {
        settings.inputPath = dir.write(QStringLiteral("dados.csv"), data);
        settings.outputPath = dir.path(QStringLiteral("rede"));
        feedback.calls.clear();
        try {
            runConversion(settings, feedback);
        } catch (const RunError& e) {
            EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("rede.net"))));
            return e.message();
        }
        ADD_FAILURE() << "the run succeeded";
        return {};
    }
};

TEST_F(ConversionRunTest, OneModeWithWeights)
{
    settings.valueColumn = 2;
    EXPECT_EQ(convert("Ana;Rui;3\r\nRui;Eva;1\r\n"),
              (QStringList {"*Vertices 3", "1 \"Ana\"", "2 \"Rui\"", "3 \"Eva\"", "*Edges", "1 2 3",
                            "2 3 1"}));
}

TEST_F(ConversionRunTest, TwoModeWithWeights)
{
    settings.valueColumn = 2;
    settings.mode = NetworkMode::TwoMode;
    EXPECT_EQ(convert("Ana;Rui;3\r\nRui;Eva;1\r\n"),
              (QStringList {"*Vertices 4 2", "1 \"Ana\"", "2 \"Rui\"", "3 \"Rui\"", "4 \"Eva\"",
                            "*Edges", "1 3 3", "2 4 1"}));
}

TEST_F(ConversionRunTest, DirectedWritesArcsInBothModes)
{
    settings.directed = true;
    EXPECT_EQ(convert("a;b").mid(3), (QStringList {"*Arcs", "1 2"}));
    settings.mode = NetworkMode::TwoMode;
    EXPECT_EQ(convert("a;b").mid(3), (QStringList {"*Arcs", "1 2"}));
}

TEST_F(ConversionRunTest, EmptyInputGivesTwoLines)
{
    EXPECT_EQ(convert(""), (QStringList {"*Vertices 0", "*Edges"}));
    settings.headerLines = 2;
    EXPECT_EQ(convert("a;b\nc;d\n"), (QStringList {"*Vertices 0", "*Edges"}));
    settings.mode = NetworkMode::TwoMode;
    EXPECT_EQ(convert(""), (QStringList {"*Vertices 0 0", "*Edges"}));
}

TEST_F(ConversionRunTest, WhichLinesAreRecords)
{
    struct Case {
        const char* name;
        int header;
        QByteArray data;
        QStringList edges;
    };
    const Case cases[] = {
        {"final break changes nothing", 0, "a;b\nb;c\n", {"1 2", "2 3"}},
        {"no final break", 0, "a;b\nb;c", {"1 2", "2 3"}},
        {"empty lines skipped", 0, "\na;b\n\n\nb;c\n\n", {"1 2", "2 3"}},
        {"separators only", 0, "a;b\n;;;\n;\nb;c", {"1 2", "2 3"}},
        {"blank line counts as header", 2, "id;nome\n\na;b\n", {"1 2"}},
        {"header lines skipped", 1, "x;y\na;b\n", {"1 2"}},
        {"ctrl-z before line breaks ends the file", 0, "a;b\nb;c\x1A\r\n\x1A\n", {"1 2", "2 3"}},
        {"ctrl-z before records is dropped",
         0,
         "a;b\n\x1A"
         "b;c\n",
         {"1 2", "2 3"}},
        {"lone cr joins", 0, "a;b\rc\n", {"1 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings.headerLines = c.header;
        const QStringList lines = convert(c.data);
        EXPECT_EQ(lines.mid(lines.indexOf(QStringLiteral("*Edges")) + 1), c.edges);
    }
    settings.headerLines = 0;
    EXPECT_EQ(convert("a;b\rc\n").at(2), QStringLiteral("2 \"bc\""));
}

TEST_F(ConversionRunTest, EdgesKeepEveryRecord)
{
    settings.valueColumn = 2;
    EXPECT_EQ(convert("a;b;1\na;b;1\nb;a;x\na;a;\n").mid(4),
              (QStringList {"1 2 1", "1 2 1", "2 1 x", "1 1 "}));
}

// Enough names and records for the work to be shared between threads: names first met in
// capitals, later spellings that only match by collation, blank ends and weights in every
// position must all keep their numbers and order.
TEST_F(ConversionRunTest, LargeRunsKeepEveryNumberAndLine)
{
    constexpr int kNames = 30000;
    QByteArray data;
    QStringList expected = {QStringLiteral("*Vertices %1").arg(kNames)};
    for (int i = 0; i < kNames; ++i) {
        data += "NOME " + QByteArray::number(i) + ";nome " + QByteArray::number(i / 2) + ";" +
                QByteArray::number(i) + "\n";
        expected << QStringLiteral("%1 \"NOME %2\"").arg(i + 1).arg(i);
    }
    expected << QStringLiteral("*Edges");
    for (int i = 0; i < kNames; ++i)
        expected << QStringLiteral("%1 %2 %3").arg(i + 1).arg(i / 2 + 1).arg(i);
    for (int i = 0; i < kNames; i += 3) {
        data += QStringLiteral("Nome %1;nome %2;x\n").arg(i).arg(kNames - 1 - i).toUtf8();
        data += "nome " + QByteArray::number(i) + ";;\n";
        expected << QStringLiteral("%1 %2 x").arg(i + 1).arg(kNames - i);
    }
    settings.valueColumn = 2;
    const QStringList lines = convert(data);
    ASSERT_EQ(lines.size(), expected.size());
    EXPECT_EQ(lines, expected);

    // Two-mode without weights: the second column has a list of its own, where "nome k" is
    // vertex kNames + k + 1 for the first half and the rest come in order after; a blank second
    // end is a vertex there, with no name.
    settings.mode = NetworkMode::TwoMode;
    settings.valueColumn.reset();
    QStringList second;
    QStringList edges;
    for (int i = 0; i < kNames; ++i)
        edges << QStringLiteral("%1 %2").arg(i + 1).arg(kNames + i / 2 + 1);
    for (int k = 0; k < kNames / 2; ++k)
        second << QStringLiteral("%1 \"nome %2\"").arg(kNames + k + 1).arg(k);
    int blank = 0;
    for (int i = 0; i < kNames; i += 3) {
        const int k = kNames - 1 - i;
        int number = kNames + k + 1;
        if (k >= kNames / 2) {
            number = kNames + int(second.size()) + 1;
            second << QStringLiteral("%1 \"nome %2\"").arg(number).arg(k);
        }
        edges << QStringLiteral("%1 %2").arg(i + 1).arg(number);
        if (blank == 0) {
            blank = kNames + int(second.size()) + 1;
            second << QStringLiteral("%1 \"\"").arg(blank);
        }
        edges << QStringLiteral("%1 %2").arg(i + 1).arg(blank);
    }
    const QStringList twoMode = convert(data);
    ASSERT_EQ(twoMode.size(), 2 + kNames + second.size() + edges.size());
    EXPECT_EQ(twoMode.first(),
              QStringLiteral("*Vertices %1 %2").arg(kNames + second.size()).arg(kNames));
    EXPECT_EQ(twoMode.mid(1, kNames), expected.mid(1, kNames));
    EXPECT_EQ(twoMode.mid(1 + kNames, second.size()), second);
    EXPECT_EQ(twoMode.mid(2 + kNames + second.size()), edges);
}

TEST_F(ConversionRunTest, WeightIsCopiedAsText)
{
    settings.valueColumn = 0;
    settings.firstColumn = 1;
    settings.secondColumn = 2;
    EXPECT_EQ(convert("3,5 kg;a;b\n\"(7)\";b;a").mid(4),
              (QStringList {"1 2 3,5 kg", "2 1 \"(7)\""}));
}

TEST_F(ConversionRunTest, BlankEndGivesNoEdge)
{
    // One-mode: a blank end has no vertex, so the record yields no line.
    EXPECT_EQ(convert("a;b\nc;\n;d\n"), (QStringList {"*Vertices 4", "1 \"a\"", "2 \"b\"",
                                                      "3 \"c\"", "4 \"d\"", "*Edges", "1 2"}));
    // Two-mode: a blank second end is a vertex with an empty name.
    settings.mode = NetworkMode::TwoMode;
    EXPECT_EQ(convert("a;b\nc;\n"), (QStringList {"*Vertices 4 2", "1 \"a\"", "2 \"c\"", "3 \"b\"",
                                                  "4 \"\"", "*Edges", "1 3", "2 4"}));
}

TEST_F(ConversionRunTest, SameNameFromAnyColumnPosition)
{
    settings.firstColumn = 2;
    settings.secondColumn = 0;
    EXPECT_EQ(convert("x;-;y\ny;-;x\n"),
              (QStringList {"*Vertices 2", "1 \"y\"", "2 \"x\"", "*Edges", "1 2", "2 1"}));
}

TEST_F(ConversionRunTest, SortedNumbering)
{
    settings.sortAscending = true;
    settings.mode = NetworkMode::TwoMode;
    EXPECT_EQ(convert("zé;Rio\nÉrica;Lisboa\nbia;Rio\nZÉ;Acre\n"),
              (QStringList {"*Vertices 6 3", "1 \"bia\"", "2 \"Érica\"", "3 \"zé\"", "4 \"Rio\"",
                            "5 \"Lisboa\"", "6 \"Acre\"", "*Edges", "3 4", "2 5", "1 4", "3 6"}));
}

TEST_F(ConversionRunTest, DecodesUtf8AndWindows1252)
{
    EXPECT_EQ(convert("\xEF\xBB\xBFJos\xC3\xA9;Jo\xE3o\n").mid(1, 2),
              (QStringList {"1 \"José\"", "2 \"João\""}));
    // One name in both encodings, and a lone CR inside a line, is still one vertex.
    EXPECT_EQ(convert("Jos\xC3\xA9;Jo\xE3o\nJos\xE9;Jo\xC3\xA3o\nJo\rs\xE9;x\n"),
              (QStringList {"*Vertices 3", "1 \"José\"", "2 \"João\"", "3 \"x\"", "*Edges", "1 2",
                            "1 2", "1 3"}));
}

TEST_F(ConversionRunTest, MissingFieldStopsTheVertexPass)
{
    settings.secondColumn = 2;
    EXPECT_EQ(failure("a;b;c\na;b\n"), QStringLiteral("List index out of bounds (2)"));
    EXPECT_EQ(feedback.calls, successfulCalls().mid(0, 3));
    EXPECT_EQ(errorBoxText(QStringLiteral("List index out of bounds (2)")),
              QStringLiteral("List index out of bounds (2)"));
}

TEST_F(ConversionRunTest, FirstMissingFieldIsNamed)
{
    settings.firstColumn = 5;
    settings.secondColumn = 4;
    EXPECT_EQ(failure("a;b\n"), QStringLiteral("List index out of bounds (5)"));
    settings.firstColumn = -1;
    EXPECT_EQ(failure("a;b\n"), QStringLiteral("List index out of bounds (-1)"));
}

TEST_F(ConversionRunTest, MissingWeightStopsTheEdgePass)
{
    settings.valueColumn = 2;
    EXPECT_EQ(failure("a;b;1\nb;c\n"), QStringLiteral("List index out of bounds (2)"));
    EXPECT_EQ(feedback.calls, successfulCalls().mid(0, 6));
}

TEST_F(ConversionRunTest, UnreadableInputStopsAfterTheFirstStage)
{
    settings.inputPath = dir.path(QStringLiteral("nada.csv"));
    settings.outputPath = dir.path(QStringLiteral("rede"));
    try {
        runConversion(settings, feedback);
        FAIL();
    } catch (const RunError& e) {
        EXPECT_EQ(errorBoxText(e.message()), QStringLiteral("File not found."));
    }
    EXPECT_EQ(feedback.calls, successfulCalls().mid(0, 2));
}

TEST_F(ConversionRunTest, OutputFolderMissing)
{
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), "a;b\n");
    settings.outputPath = dir.path(QStringLiteral("nada/rede"));
    try {
        runConversion(settings, feedback);
        FAIL();
    } catch (const RunError& e) {
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Cannot create file \"%1\". ")
                .arg(QDir::toNativeSeparators(dir.path(QStringLiteral("nada/rede.net"))))));
    }
    // The stages up to the failure; no file, so no summary for the pane to show it from.
    EXPECT_EQ(feedback.calls, successfulCalls().mid(0, 7));
}

TEST_F(ConversionRunTest, OutputPathWithoutFileName)
{
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), "a;b\n");
    for (const QString& output : {QString(), dir.path() + u'/', dir.path(QStringLiteral(".net"))}) {
        feedback.calls.clear();
        settings.outputPath = output;
        EXPECT_EQ(runConversion(settings, feedback), RunOutcome::NoOutputFile);
        EXPECT_EQ(feedback.calls,
                  QStringList {QStringLiteral("showMessage:") + messages::noOutputFile()});
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"dados.csv"});
}

TEST_F(ConversionRunTest, OverwriteQuestion)
{
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), "a;b\n");
    const QString existing = dir.write(QStringLiteral("rede.net"), "antigo");
    dir.write(QStringLiteral("rede.txt"), "outro");

    settings.outputPath = dir.path(QStringLiteral("rede"));
    feedback.overwriteAnswer = false;
    EXPECT_EQ(runConversion(settings, feedback), RunOutcome::OverwriteDeclined);
    EXPECT_EQ(feedback.calls, QStringList {QStringLiteral("confirmOverwrite:") + existing});
    EXPECT_EQ(readBytes(existing), QByteArray("antigo"));

    // rede.txt exists but the run writes rede.txt.net, so nothing is asked.
    feedback.calls.clear();
    settings.outputPath = dir.path(QStringLiteral("rede.txt"));
    EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
    EXPECT_EQ(feedback.calls, successfulCalls());
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("rede.txt.net"))));

    feedback.calls.clear();
    feedback.overwriteAnswer = true;
    settings.outputPath = dir.path(QStringLiteral("rede.net"));
    EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
    EXPECT_EQ(feedback.calls,
              QStringList {QStringLiteral("confirmOverwrite:") + existing} + successfulCalls());
    EXPECT_EQ(networkLines(existing).first(), QStringLiteral("*Vertices 2"));
}

TEST_F(ConversionRunTest, ReportFlagChoosesTheLongerMessage)
{
    settings.similarityReport = true;
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), "a;b\n");
    settings.outputPath = dir.path(QStringLiteral("rede"));
    EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
    EXPECT_EQ(feedback.calls.last(),
              QStringLiteral("showMessage:") + messages::savedNetworkAndReport());
}

// A label has no escape: a quotation mark inside a name is written as an apostrophe, so that
// readers take the label whole; everything else is written unchanged.
TEST_F(ConversionRunTest, NamesAreWrittenAsLabels)
{
    EXPECT_EQ(convert("O \"Rei\";{x}\\y\n").mid(1, 2),
              (QStringList {"1 \"O 'Rei'\"", "2 \"{x}\\y\""}));
}

TEST_F(ConversionRunTest, StripInBothPassesButNotTheWeight)
{
    settings.strip = {QStringLiteral("()"), true, true, false};
    settings.valueColumn = 2;
    EXPECT_EQ(convert("(Ana);Rui);(3)\nAna;(Rui;(1)\n();Eva;2\n"),
              (QStringList {"*Vertices 3", "1 \"Ana\"", "2 \"Rui\"", "3 \"Eva\"", "*Edges",
                            "1 2 (3)", "1 2 (1)"}));
    // Everywhere, in two-mode: the second end keeps a blank vertex.
    settings.strip = {QStringLiteral(" "), false, false, true};
    settings.mode = NetworkMode::TwoMode;
    settings.valueColumn.reset();
    EXPECT_EQ(convert("A na; R io\nAna;  \n"),
              (QStringList {"*Vertices 3 1", "1 \"Ana\"", "2 \"Rio\"", "3 \"\"", "*Edges", "1 2",
                            "1 3"}));
}

TEST_F(ConversionRunTest, ReportBesideTheNetworkFirstModeOnly)
{
    settings.similarityReport = true;
    settings.similarityThreshold = 80;
    settings.mode = NetworkMode::TwoMode;
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), "rede;redes\nredes;rede\n");
    settings.outputPath = dir.path(QStringLiteral("rede.txt"));
    EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
    // The progress box says when the names are compared, before the files are saved.
    QStringList calls = successfulCalls(messages::savedNetworkAndReport());
    calls.insert(6, QStringLiteral("showStage:") + messages::reportStageText());
    EXPECT_EQ(feedback.calls, calls);
    const QStringList lines = urdiva::reference::similarityReportLines(
        {QStringLiteral("rede¶"), QStringLiteral("redes¶")}, 80);
    TempDir other;
    urdiva::reference::writeReportDocument(other.path(QStringLiteral("r.rtf")), lines);
    EXPECT_EQ(readBytes(dir.path(QStringLiteral("Similaridade_rede.rtf"))),
              readBytes(other.path(QStringLiteral("r.rtf"))));
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("rede.txt.net"))));

    // Only the first mode is compared: Rio and Rios in the second column are not reported.
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), "x;Rio\ny;Rios\n");
    settings.outputPath = dir.path(QStringLiteral("rede"));
    EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
    EXPECT_EQ(readBytes(dir.path(QStringLiteral("Similaridade_rede.rtf"))).count("\\par\r\n"), 3);
}

TEST_F(ConversionRunTest, ReportThatCannotBeWrittenStopsTheRun)
{
    settings.similarityReport = true;
    QDir(dir.path()).mkdir(QStringLiteral("Similaridade_rede.rtf"));
    const QString message = failure("a;b\n");
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("Cannot create file \"%1\". ")
            .arg(QDir::toNativeSeparators(dir.path(QStringLiteral("Similaridade_rede.rtf"))))))
        << message.toStdString();
    QStringList calls = successfulCalls().mid(0, 6);
    calls << QStringLiteral("showStage:") + messages::reportStageText();
    EXPECT_EQ(feedback.calls, calls);
}

} // namespace
