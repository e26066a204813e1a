// SPDX-License-Identifier: MIT
// Files that users did not write themselves: each case has a clear outcome, the run's own error
// or a correct network, and never loses or truncates a file.
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_error.h"
#include "engine/core/run_summary_text.h"
#include "engine/report/similarity_report.h"
#include "reference.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#ifdef __linux__
#include <sys/inotify.h>
#endif
#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::RecordingFeedback;
using urdiva::test::TempDir;

namespace {

class HostileInputTest : public ::testing::Test {
protected:
    LocaleGuard locale {QStringLiteral("pt_BR")};
    TempDir dir;
    ConversionSettings settings;
    RecordingFeedback feedback;

    HostileInputTest()
    {
        settings.inputPath = dir.path(QStringLiteral("dados.csv"));
        settings.outputPath = dir.path(QStringLiteral("rede"));
    }

    // The run's outcome: the network text, or "error:" and the error's text.
    QString outcome(const QByteArray& data)
    {
        dir.write(QStringLiteral("dados.csv"), data);
        return outcome();
    }
    QString outcome()
    {
        try {
            runConversion(settings, feedback);
            return feedback.output;
        } catch (const RunError& e) {
            return QStringLiteral("error:") + e.message();
        }
    }
};

// Files as other programs save them: UTF-16 from spreadsheets and bibliographic databases,
// NUL bytes, a DOS end-of-file mark, more header lines than lines.
TEST_F(HostileInputTest, FilesSavedByOtherPrograms)
{
    const auto utf16 = [](QStringView text, bool bigEndian) {
        QByteArray bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (const QChar c : text) {
            const char high = char(c.unicode() >> 8);
            const char low = char(c.unicode() & 0xFF);
            bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
        }
        return bytes;
    };
    const QString table = QStringLiteral("nome;cidade\r\nJosé;São Paulo\r\nAna;Rio 😀\r\n");
    const QString network = QStringLiteral(
        "*Vertices 4\n1 \"José\"\n2 \"São Paulo\"\n3 \"Ana\"\n4 \"Rio 😀\"\n*Edges\n1 2\n3 4");
    struct Case {
        const char* name;
        QByteArray data;
        int header;
        QString outcome;
        QStringList warnings;
    };
    const Case cases[] = {
        {"utf-16 le", utf16(table, false), 1, network, {}},
        {"utf-16 be", utf16(table, true), 1, network, {}},
        {"utf-16 without its final break", utf16(table, false).chopped(4), 1, network, {}},
        {"utf-16 without a mark",
         utf16(table, false).mid(2),
         1,
         "error:O arquivo parece estar em UTF-16 sem a marca de ordem dos bytes (BOM); salve-o em "
         "UTF-8 ou em UTF-16 com BOM.",
         {}},
        {"nul bytes",
         QByteArray("a\0b;c\0\n\0;\0\n", 11),
         0,
         "*Vertices 3\n1 \"a\uFFFDb\"\n2 \"c\uFFFD\"\n3 \"\uFFFD\"\n*Edges\n1 2\n3 3",
         {"3 nomes gravados com U+FFFD no lugar do caractere nulo (U+0000), que os leitores de "
          "rede não aceitam."}},
        {"ctrl-z before more records",
         "a;b\nc;d\x1A\ne;f\n",
         0,
         "*Vertices 6\n1 \"a\"\n2 \"b\"\n3 \"c\"\n4 \"d\"\n5 \"e\"\n6 \"f\"\n*Edges\n1 2\n3 4\n5 6",
         {"a linha 2 tem um Ctrl-Z (fim de arquivo do DOS) seguido de mais registros; eles foram "
          "lidos, e o Ctrl-Z, ignorado."}},
        {"ctrl-z at the end",
         "a;b\r\n\x1A\r\n\x1A",
         0,
         "*Vertices 2\n1 \"a\"\n2 \"b\"\n*Edges\n1 2",
         {}},
        {"header lines beyond the file",
         "a;b\nc;d\n",
         5,
         "*Vertices 0\n*Edges",
         {"o arquivo não tem linhas além das 5 linhas de cabeçalho ignoradas; a rede não tem "
          "registros."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        feedback.summary = RunSummary();
        settings.headerLines = c.header;
        EXPECT_EQ(outcome(c.data), c.outcome);
        EXPECT_EQ(runSummaryText(feedback.summary, QString()).warnings, c.warnings);
    }
}

TEST_F(HostileInputTest, HundredMegabytesInOneLine)
{
    EXPECT_EQ(outcome(QByteArray(100 << 20, 'x')),
              QStringLiteral("error:List index out of bounds (1)"));
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("rede.net"))));
}

// Two alike names of a mebibyte would take minutes to compare: they are left out of the report,
// which says so, while the other names are compared as ever.
TEST_F(HostileInputTest, NamesTooLongToCompare)
{
    QByteArray name(1 << 20, 'a');
    for (qsizetype k = 0; k < name.size(); k += 100)
        name[k] = char('b' + k % 7);
    QByteArray variant = name;
    variant[5] = 'z';
    settings.similarityReport = true;
    settings.reportFormat = ReportFormat::Csv;
    EXPECT_TRUE(
        outcome(name + ";Ana Souza\nx;" + variant + "\nAna Sousa;y\n").startsWith(u"*Vertices 6"));
    EXPECT_EQ(runSummaryText(feedback.summary, QString()).warnings,
              QStringList {"2 nomes com mais de 100.000 caracteres ficaram fora do relatório de "
                           "similaridade (comparar nomes tão longos levaria minutos)."});
    const QStringList report =
        urdiva::test::textLines(readBytes(dir.path(QStringLiteral("Similaridade_rede.csv"))));
    ASSERT_EQ(report.size(), 2);
    EXPECT_TRUE(report[1].contains(u"Ana Souza") && report[1].contains(u"Ana Sousa"));
}

TEST_F(HostileInputTest, AMillionSeparators)
{
    EXPECT_EQ(outcome("Ana;Rui" + QByteArray(1000000, ';') + "\n"),
              QStringLiteral("*Vertices 2\n1 \"Ana\"\n2 \"Rui\"\n*Edges\n1 2"));
}

TEST_F(HostileInputTest, OnlySeparatorsAndBlankLines)
{
    EXPECT_EQ(outcome(";;;\n\n;\r\n\r\n;;\n"), QStringLiteral("*Vertices 0\n*Edges"));
}

TEST_F(HostileInputTest, InvalidAndTruncatedUtf8)
{
    EXPECT_EQ(
        outcome("Jos\xC3;Ana\xE2\x82\nS\xED\xA0\x80o;x\n"),
        QStringLiteral(
            "*Vertices 4\n1 \"JosÃ\"\n2 \"Anaâ‚\"\n3 \"Sí\u00A0€o\"\n4 \"x\"\n*Edges\n1 2\n3 4"));
    // A lone CR inside a letter is dropped before the line is decoded.
    EXPECT_EQ(outcome("Jos\xC3\xA9;A\nJos\xC3\r\xA9;B\n"),
              QStringLiteral("*Vertices 3\n1 \"José\"\n2 \"A\"\n3 \"B\"\n*Edges\n1 2\n1 3"));
}

TEST_F(HostileInputTest, InputPaths)
{
    settings.inputPath = dir.path();
    EXPECT_EQ(outcome(), QStringLiteral("error:File access denied"));
    settings.inputPath = dir.path(QStringLiteral("nada.csv"));
    EXPECT_EQ(outcome(), QStringLiteral("error:File not found"));
    settings.inputPath = dir.path(QStringLiteral("nada/dados.csv"));
    EXPECT_EQ(outcome(), QStringLiteral("error:Invalid filename"));
}

#ifndef _WIN32 // another user and resource limits (setpriv, prlimit)
// Runs the command line as "nobody", since root may read and do everything: from a folder that
// anybody may write in, holding a copy of the program that anybody may run, wherever the build
// lies.
class AsNobody {
public:
    AsNobody()
    {
        QFile::setPermissions(m_folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                   QFileDevice::WriteOther | QFileDevice::ExeOther);
        m_ready =
            QFile::copy(QStringLiteral(URDIVA_CLI_PATH), m_program) &&
            QFile::setPermissions(m_program, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                 QFileDevice::ReadOther | QFileDevice::ExeOther);
    }

    static bool possible()
    {
        return ::geteuid() == 0 &&
               !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
    }
    bool ready() const { return m_ready; }
    QString path(const QString& name) const { return m_folder.filePath(name); }
    // A file in the folder, readable by its owner alone or by anybody.
    QString write(const QString& name, const QByteArray& bytes, bool readable) const
    {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        file.setPermissions(readable ? QFileDevice::ReadOwner | QFileDevice::ReadOther
                                     : QFileDevice::WriteOwner);
        return file.fileName();
    }
    // The arguments of setpriv that run the program with `arguments`.
    QStringList command(const QStringList& arguments) const
    {
        return QStringList {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                            QStringLiteral("--clear-groups"), m_program} +
               arguments;
    }

private:
    QTemporaryDir m_folder {QDir::tempPath() + QStringLiteral("/urdiva-XXXXXX")};
    QString m_program = m_folder.filePath(QStringLiteral("urdiva-cli"));
    bool m_ready = false;
};
#endif

#ifndef _WIN32 // another user and resource limits (setpriv, prlimit)
// A file its reader may not open.
TEST_F(HostileInputTest, UnreadableInput)
{
    if (!AsNobody::possible())
        GTEST_SKIP() << "needs root and setpriv to act as another user";
    const AsNobody nobody;
    ASSERT_TRUE(nobody.ready());
    const QString input = nobody.write(QStringLiteral("segredo.csv"), "a;b\n", false);
    QProcess cli;
    cli.start(QStringLiteral("setpriv"),
              nobody.command({QStringLiteral("-q"), input, nobody.path(QStringLiteral("rede"))}));
    cli.waitForFinished(60000);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()),
              QStringLiteral("urdiva-cli: %1:\nFile access denied.\n").arg(input));
    EXPECT_FALSE(QFile::exists(nobody.path(QStringLiteral("rede.net"))));
}
#endif

#ifndef _WIN32 // another user and resource limits (setpriv, prlimit)
// With no thread to be had (a limit of one process for the user), the parts of a run that share
// their work among threads do it all on one: the same network and report, and no crash.
TEST_F(HostileInputTest, NoThreadToBeHad)
{
    if (!AsNobody::possible() ||
        QStandardPaths::findExecutable(QStringLiteral("prlimit")).isEmpty())
        GTEST_SKIP() << "needs root, setpriv and prlimit to limit another user's processes";
    const AsNobody nobody;
    ASSERT_TRUE(nobody.ready());
    QByteArray many;
    for (int i = 0; i < 30000; ++i)
        many += "nome " + QByteArray::number(i) + ";NOME " + QByteArray::number(i * 7 % 30000) +
                ";" + QByteArray::number(i % 10) + "\n";
    QByteArray few;
    for (int i = 0; i < 60; ++i)
        few += "Silva " + QByteArray::number(i) + ";Souza " + QByteArray::number(i % 7) + "\n";
    struct Case {
        QByteArray data;
        QStringList options;
        QString output; // the file to compare
    };
    const Case cases[] = {
        {many, {QStringLiteral("--value"), QStringLiteral("3")}, QStringLiteral("rede.net")},
        {few, {QStringLiteral("--report")}, QStringLiteral("Similaridade_rede.rtf")},
    };
    for (const Case& c : cases) {
        const QString input = nobody.write(QStringLiteral("dados.csv"), c.data, true);
        QByteArray outputs[2];
        for (const bool limited : {false, true}) {
            const QStringList arguments =
                QStringList {limited ? QStringLiteral("--nproc=1") : QStringLiteral("--nproc=64"),
                             QStringLiteral("setpriv")} +
                nobody.command(QStringList {QStringLiteral("-q"), QStringLiteral("-f")} +
                               c.options +
                               QStringList {input, nobody.path(QStringLiteral("rede"))});
            QProcess cli;
            if (limited) {
                // A leak checker (in sanitizer builds) needs a process of its own at exit, which
                // the limit forbids.
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                QStringList asan = {environment.value(QStringLiteral("ASAN_OPTIONS"))};
                asan.removeAll(QString());
                environment.insert(QStringLiteral("ASAN_OPTIONS"),
                                   (asan << QStringLiteral("detect_leaks=0")).join(u':'));
                cli.setProcessEnvironment(environment);
            }
            cli.start(QStringLiteral("prlimit"), arguments);
            cli.waitForFinished(60000);
            EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
            outputs[limited] = readBytes(nobody.path(c.output));
        }
        EXPECT_FALSE(outputs[0].isEmpty());
        EXPECT_EQ(outputs[0], outputs[1]);
        QFile::remove(input);
    }
}
#endif

// Does something to the files when a stage is announced.
class ChangingFeedback final : public RunFeedback {
public:
    int stage = 5;
    std::function<void()> change;
    bool replaceAppearing = false;
    bool progressClosed = false;
    bool confirmOverwrite(const QString&) override { return true; }
    bool replaceAppearingFile() const override { return replaceAppearing; }
    void showStage(const QString& text) override
    {
        if (text == messages::stageText(stage) && change)
            change();
    }
    void clearOutput() override { }
    void closeProgress() override { progressClosed = true; }
    void showMessage(const QString&) override { }
};

// The file is read once: what happens to it after the vertex pass cannot mix two versions of it
// in one network.
TEST_F(HostileInputTest, InputVanishingOrChangingAfterTheVertexPassIsNotReadAgain)
{
    const QByteArray network("\xEF\xBB\xBF*Vertices 2\r\n1 \"a\"\r\n2 \"b\"\r\n*Edges\r\n1 2\r\n");
    const std::function<void()> changes[] = {
        [&] { QFile::remove(settings.inputPath); },
        [&] { dir.write(QStringLiteral("dados.csv"), "a;b\nb;z\nq\n"); },
        [&] { dir.write(QStringLiteral("dados.csv"), "b;a\nb;z\n"); },
    };
    for (const auto& change : changes) {
        dir.write(QStringLiteral("dados.csv"), "a;b\n");
        ChangingFeedback feedback;
        feedback.change = change;
        EXPECT_EQ(runConversion(settings, feedback), RunOutcome::Written);
        EXPECT_EQ(readBytes(dir.path(QStringLiteral("rede.net"))), network);
    }
}

// A file that appears at the output path while the run works (another run, another program) is
// replaced only where the user agreed to replace whatever is there.
TEST_F(HostileInputTest, FileAppearingDuringTheRunIsReplacedOnlyWithConsent)
{
    dir.write(QStringLiteral("dados.csv"), "a;b\n");
    const QString output = dir.path(QStringLiteral("rede.net"));
    const QByteArray network("\xEF\xBB\xBF*Vertices 2\r\n1 \"a\"\r\n2 \"b\"\r\n*Edges\r\n1 2\r\n");
    struct Case {
        const char* name;
        bool fileBefore; // so the overwrite question was asked and answered yes
        bool replaceAppearing; // the command line's --force
        RunOutcome outcome;
        QByteArray after;
    };
    const Case cases[] = {
        {"no file when asked, no consent", false, false, RunOutcome::OverwriteDeclined, "PRECIOUS"},
        {"no file when asked, forced", false, true, RunOutcome::Written, network},
        {"replacing agreed", true, false, RunOutcome::Written, network},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(output);
        if (c.fileBefore)
            dir.write(QStringLiteral("rede.net"), "antes");
        ChangingFeedback feedback;
        feedback.stage = 6;
        feedback.change = [&] { dir.write(QStringLiteral("rede.net"), "PRECIOUS"); };
        feedback.replaceAppearing = c.replaceAppearing;
        EXPECT_EQ(runConversion(settings, feedback), c.outcome);
        EXPECT_TRUE(feedback.progressClosed);
        EXPECT_EQ(readBytes(output), c.after);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList({QStringLiteral("dados.csv"), QStringLiteral("rede.net")}));
    }
}

TEST_F(HostileInputTest, OutputPaths)
{
    dir.write(QStringLiteral("dados.csv"), "a;b\n");
    const QString existing = dir.write(QStringLiteral("rede.net"), "a rede de antes");
    QDir(dir.path()).mkdir(QStringLiteral("pasta.net"));
    struct Case {
        QString output;
        QString failing; // the path the error names
    };
    const Case cases[] = {
        {dir.path(QStringLiteral("pasta.net")), dir.path(QStringLiteral("pasta.net"))},
        {dir.path(QStringLiteral("nada/rede")), dir.path(QStringLiteral("nada/rede.net"))},
#ifndef _WIN32 // a folder where nothing may be created, on any POSIX system
        {QStringLiteral("/proc/rede"), QStringLiteral("/proc/rede.net")},
#endif
    };
    for (const Case& c : cases) {
        settings.outputPath = c.output;
        const QString result = outcome();
        EXPECT_TRUE(result.startsWith(QStringLiteral("error:Cannot create file \"%1\". ")
                                          .arg(QDir::toNativeSeparators(c.failing))))
            << result.toStdString();
    }
    EXPECT_EQ(readBytes(existing), QByteArray("a rede de antes"));
}

#ifndef _WIN32 // a file-size limit (setrlimit)
// A disk that fills up while the files are written: the process may write only a few bytes. The
// existing network, report and rename table (perhaps holding the user's corrections) must come
// through unchanged, since a run's files are put in place together or not at all, and the run
// must say why it failed.
TEST_F(HostileInputTest, FullDiskKeepsTheExistingFiles)
{
    QByteArray data;
    for (int k = 0; k < 5000; ++k)
        data += "nome" + QByteArray::number(k) + ";outro" + QByteArray::number(k) + "\n";
    dir.write(QStringLiteral("dados.csv"), data);
    const QString existing = dir.write(QStringLiteral("rede.net"), "a rede de antes");
    const QString report = dir.write(QStringLiteral("Similaridade_rede.csv"), "o relatório");
    const QString table = dir.write(QStringLiteral("nomes.csv"), "variant,canonical\nx,y\n");
    QProcess cli;
    cli.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    cli.start(QStringLiteral(URDIVA_CLI_PATH),
              {QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("--report"),
               QStringLiteral("--report-format"), QStringLiteral("csv"),
               QStringLiteral("--suggest-renames"), table, settings.inputPath, existing});
    cli.waitForFinished(60000);
    EXPECT_EQ(cli.exitCode(), 1);
    // The system's reason follows, in the language of the user's locale.
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardError())
                    .contains(QStringLiteral(":\nFailed to Save Stream. ")));
    EXPECT_EQ(readBytes(existing), QByteArray("a rede de antes"));
    EXPECT_EQ(readBytes(report), QByteArray("o relatório"));
    EXPECT_EQ(readBytes(table), QByteArray("variant,canonical\nx,y\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4); // no temporary file left behind
}
#endif

#ifdef __linux__
// No rename puts several files in place at once: a run killed between them must never leave a
// new network beside old reports, so the network is renamed into place last.
TEST_F(HostileInputTest, TheNetworkGoesInPlaceLast)
{
    dir.write(QStringLiteral("dados.csv"), "Ana;Rui\nAna;Anna\n");
    settings.similarityReport = true;
    settings.reportFormat = ReportFormat::Csv;
    settings.suggestRenamesPath = dir.path(QStringLiteral("nomes.csv"));
    const int watch = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(),
                                IN_MOVED_TO | IN_CREATE),
              0);
    ASSERT_EQ(outcome(),
              QStringLiteral("*Vertices 3\n1 \"Ana\"\n2 \"Rui\"\n3 \"Anna\"\n*Edges\n1 2\n1 3"));
    // The files as they appear under their own names, by a rename or a hard link.
    const QStringList outputs = {QStringLiteral("rede.net"),
                                 QStringLiteral("Similaridade_rede.csv"),
                                 QStringLiteral("nomes.csv")};
    QStringList renamed;
    alignas(inotify_event) char events[16384];
    const ssize_t size = read(watch, events, sizeof events);
    for (ssize_t at = 0; at < size;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (outputs.contains(QString::fromUtf8(event->name)))
            renamed << QString::fromUtf8(event->name);
        at += ssize_t(sizeof(inotify_event) + event->len);
    }
    close(watch);
    EXPECT_EQ(renamed.size(), 3) << renamed.join(u' ').toStdString();
    EXPECT_EQ(renamed.value(renamed.size() - 1), QStringLiteral("rede.net"));
}
#endif

// Memory running out on one of the report's worker threads ends the run with its text, as it
// would anywhere else, and the files that were there stay as they were.
TEST_F(HostileInputTest, OutOfMemoryInAReportWorker)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit allows";
#endif
    if (QStandardPaths::findExecutable(QStringLiteral("prlimit")).isEmpty())
        GTEST_SKIP() << "needs prlimit";
    // One row of the report (a name against all others) takes about 100 MB of RTF, since each
    // of these letters is written as a character reference: more than the limit leaves.
    std::mt19937 random(5);
    QByteArray data;
    for (int i = 0; i < 6000; ++i) {
        QString name;
        for (int k = 0; k < 1000; ++k)
            name += QChar(char16_t(0x4E00 + random() % 2000));
        data += name.toUtf8() + ";x\n";
    }
    dir.write(QStringLiteral("dados.csv"), data);
    const QString network = dir.write(QStringLiteral("rede.net"), "rede de antes");
    const QString report = dir.write(QStringLiteral("Similaridade_rede.rtf"), "antes");
    QProcess cli;
    cli.start(QStringLiteral("prlimit"),
              {QStringLiteral("--as=400000000"), QStringLiteral(URDIVA_CLI_PATH),
               QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("--report"),
               QStringLiteral("--threshold"), QStringLiteral("0"), settings.inputPath,
               settings.outputPath});
    cli.waitForFinished(120000);
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()), QStringLiteral("Out of memory.\n"));
    EXPECT_EQ(readBytes(network), QByteArray("rede de antes"));
    EXPECT_EQ(readBytes(report), QByteArray("antes"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

TEST_F(HostileInputTest, AwkwardNamesInTheNetworkAndTheReport)
{
    settings.similarityReport = true;
    settings.similarityThreshold = 0;
    settings.valueColumn = 2;
    const QByteArray names = "\"Rei\" {x}\\y;\\par \\b1 {\\rtf1};\xF0\x9F\x98\x80 \xC3\xA9\n";
    EXPECT_EQ(outcome(names), QStringLiteral("*Vertices 2\n1 \"'Rei' {x}\\y\"\n2 \"\\par \\b1 "
                                             "{\\rtf1}\"\n*Edges\n1 2 \U0001F600 é"));
    TempDir other;
    urdiva::reference::writeReportDocument(
        other.path(QStringLiteral("r.rtf")),
        urdiva::reference::similarityReportLines(
            {QStringLiteral("\"Rei\" {x}\\y¶"), QStringLiteral("\\par \\b1 {\\rtf1}¶")}, 0));
    EXPECT_EQ(readBytes(dir.path(QStringLiteral("Similaridade_rede.rtf"))),
              readBytes(other.path(QStringLiteral("r.rtf"))));
}

} // namespace
