// SPDX-License-Identifier: MIT
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using urdiva::test::readBytes;
using urdiva::test::TempDir;

namespace {

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

// Runs the command line; `standardInput`, when given, is written to its standard input, and
// `fifo`, when given, is a named pipe that `standardInput` goes through instead.
CliResult runCli(const QStringList& arguments, const QString& workingDir = QString(),
                 const QByteArray& standardInput = QByteArray(), const QString& fifo = QString())
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("pt_BR.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(URDIVA_CLI_PATH), arguments);
    if (!fifo.isEmpty()) {
        QFile pipe(fifo);
        if (pipe.open(QIODevice::WriteOnly))
            pipe.write(standardInput);
    } else if (!standardInput.isNull()) {
        process.write(standardInput);
    }
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray net(const QStringList& lines)
{
    return "\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

class CliTest : public ::testing::Test {
protected:
    TempDir dir;
    QString input =
        dir.write(QStringLiteral("dados.csv"), "autor,obra,peso\nAna,Rui,3\nRui,Eva,1\n");
    QString output = dir.path(QStringLiteral("rede"));
};

TEST_F(CliTest, WritesTheNetwork)
{
    const CliResult r =
        runCli({QStringLiteral("-q"), QStringLiteral("--separator"), QStringLiteral("comma"),
                QStringLiteral("--header"), QStringLiteral("1"), QStringLiteral("--value"),
                QStringLiteral("peso"), input, output});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    // Quiet: the exit status says it all.
    EXPECT_EQ(r.out, QString());
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(
        readBytes(output + QStringLiteral(".net")),
        net({"*Vertices 3", "1 \"Ana\"", "2 \"Rui\"", "3 \"Eva\"", "*Edges", "1 2 3", "2 3 1"}));
}

TEST_F(CliTest, ColumnsByNameOrNumberAndModes)
{
    const CliResult r = runCli(
        {QStringLiteral("-s"), QStringLiteral(","), QStringLiteral("--first"),
         QStringLiteral("obra"), QStringLiteral("--second"), QStringLiteral("1"),
         QStringLiteral("--two-mode"), QStringLiteral("--directed"), QStringLiteral("--header"),
         QStringLiteral("1"), QStringLiteral("--sort"), input, output + QStringLiteral(".net")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(readBytes(output + QStringLiteral(".net")),
              net({"*Vertices 4 2", "1 \"Eva\"", "2 \"Rui\"", "3 \"Ana\"", "4 \"Rui\"", "*Arcs",
                   "2 3", "1 4"}));
    // Stage texts go to standard error.
    EXPECT_TRUE(r.err.contains(QStringLiteral("Gerando arestas!")));
}

#ifndef _WIN32 // a named pipe and /dev/stdin
// Input that can be read only once (a pipe, a named pipe, standard input) gives the network that
// the same bytes give in a file, column names included: the input is read once, in order.
TEST_F(CliTest, InputReadableOnlyOnce)
{
    QByteArray data = "a;b\n";
    for (int i = 1; i <= 300000; ++i)
        data += "n" + QByteArray::number(i) + ";m" + QByteArray::number(i % 1000) + "\n";
    const QString file = dir.write(QStringLiteral("grande.csv"), data);
    const QString fifo = dir.path(QStringLiteral("fila"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QStringList options = {QStringLiteral("-q"), QStringLiteral("--header"),
                                 QStringLiteral("1"),  QStringLiteral("--first"),
                                 QStringLiteral("a"),  QStringLiteral("--second"),
                                 QStringLiteral("b")};
    ASSERT_EQ(runCli(options + QStringList {file, output}).status, 0);
    const QByteArray expected = readBytes(output + QStringLiteral(".net"));
    ASSERT_TRUE(expected.startsWith("\xEF\xBB\xBF*Vertices 301000\r\n1 \"n1\"\r\n"));
    struct Case {
        QString input;
        QString fifo;
    };
    for (const Case& c : {Case {QStringLiteral("-"), QString()},
                          Case {QStringLiteral("/dev/stdin"), QString()}, Case {fifo, fifo}}) {
        SCOPED_TRACE(c.input.toStdString());
        QFile::remove(output + QStringLiteral(".net"));
        const CliResult r =
            runCli(options + QStringList {c.input, output}, QString(), data, c.fifo);
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_TRUE(readBytes(output + QStringLiteral(".net")) == expected);
    }
}
#endif

#ifndef _WIN32 // file names are bytes only on POSIX systems
// A file name that is not valid UTF-8 cannot be passed on faithfully: it is refused, and nothing
// is read or written under another name.
TEST_F(CliTest, FileNamesThatAreNotUtf8AreRefused)
{
    const QByteArray oddInput = QFile::encodeName(dir.path()) + "/in\xFF.csv";
    const int fd = ::open(oddInput.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "a;b\n", 4), 4);
    ::close(fd);
    // The shell hands over the bytes that QProcess's text arguments cannot carry.
    for (const QString& arguments : {QStringLiteral("\"$(printf 'in\\377.csv')\" rede"),
                                     QStringLiteral("dados.csv \"$(printf 'out\\377')\"")}) {
        QProcess shell;
        shell.setWorkingDirectory(dir.path());
        shell.start(QStringLiteral("/bin/sh"),
                    {QStringLiteral("-c"), QStringLiteral("exec \"$0\" -q ") + arguments,
                     QStringLiteral(URDIVA_CLI_PATH)});
        shell.waitForFinished(60000);
        const QByteArray errors = shell.readAllStandardError();
        EXPECT_EQ(shell.exitCode(), 2) << errors.toStdString();
        EXPECT_TRUE(errors.contains("\\xff")) << errors.toStdString();
        // Qt lists no name that is not valid UTF-8, so this sees what a lossy run would write.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"dados.csv"});
    }
    ::unlink(oddInput.constData());
}
#endif

TEST_F(CliTest, ExistingFileNeedsForce)
{
    const QString existing = dir.write(QStringLiteral("rede.net"), "antigo");
    const QStringList args = {QStringLiteral("-s"), QStringLiteral("comma"), input, output};
    CliResult r = runCli(args);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--force")));
    EXPECT_EQ(readBytes(existing), QByteArray("antigo"));
    r = runCli(QStringList {QStringLiteral("--force")} + args);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(readBytes(existing).startsWith("\xEF\xBB\xBF*Vertices 5"));

    // A rename table may hold the user's corrections: the same rule.
    const QString table = dir.write(QStringLiteral("nomes.csv"), "corrigido");
    const QStringList suggest = {QStringLiteral("--report"), QStringLiteral("--suggest-renames"),
                                 table};
    r = runCli(suggest + QStringList {QStringLiteral("--force")} + args);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(readBytes(table).startsWith("\xEF\xBB\xBFvariant,canonical"));
    dir.write(QStringLiteral("nomes.csv"), "corrigido");
    r = runCli(suggest + args);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--force")));
    EXPECT_EQ(readBytes(table), QByteArray("corrigido"));

    // So may a CSV or HTML report (an RTF report is replaced as it always was).
    const QString report = dir.write(QStringLiteral("Similaridade_rede.csv"), "revisto");
    QFile::remove(existing);
    r = runCli(QStringList {QStringLiteral("--report"), QStringLiteral("--report-format"),
                            QStringLiteral("csv")} +
               args);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(report))) << r.err.toStdString();
    EXPECT_EQ(readBytes(report), QByteArray("revisto"));
}

// Whatever consent is given, a run never writes over a file it reads, nor two of its files over
// each other: refused as bad usage before anything is read or written.
TEST_F(CliTest, FilesARunWritesAreNeitherItsInputsNorEachOther)
{
    const QString table = dir.write(QStringLiteral("nomes.csv"), "variant,canonical\nAna,Bia\n");
    // On Windows QFile::link makes a shortcut, a file of its own that a run may replace.
#ifndef _WIN32
    QFile::link(input, dir.path(QStringLiteral("atalho.net")));
#endif
    const QString f = QStringLiteral("-f");
    const QString report = QStringLiteral("--report");
    const QString suggest = QStringLiteral("--suggest-renames");
    const QString format = QStringLiteral("--format");
    const QString csv = QStringLiteral("csv");
    const struct {
        QStringList arguments;
        const char* error;
    } cases[] = {
        {{f, format, csv, input, dir.path(QStringLiteral("dados"))},
         "é o próprio arquivo de dados"},
#ifdef _WIN32 // names differing only in case are one file there
        {{f, format, csv, input, dir.path(QStringLiteral("DADOS"))},
         "é o próprio arquivo de dados"},
#else
        {{f, input, dir.path(QStringLiteral("atalho"))}, "é o próprio arquivo de dados"},
#endif
        {{f, report, suggest, input, input, output}, "é o próprio arquivo de dados"},
        {{f, QStringLiteral("--rename"), table, format, csv, input,
          dir.path(QStringLiteral("nomes"))},
         "é a tabela de nomes lida"},
        {{f, report, suggest, output + QStringLiteral(".net"), input, output},
         "Dois arquivos de saída seriam o mesmo arquivo"},
        {{f, report, QStringLiteral("--report-format"), csv, suggest,
          dir.path(QStringLiteral("Similaridade_rede.csv")), input, output},
         "Dois arquivos de saída seriam o mesmo arquivo"},
        {{QStringLiteral("--rename"), QStringLiteral("-"), input, output}, "não '-'"},
    };
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::System);
    for (const auto& c : cases) {
        const CliResult r =
            runCli(QStringList {QStringLiteral("-s"), QStringLiteral("comma")} + c.arguments);
        EXPECT_EQ(r.status, 2) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.error))) << r.err.toStdString();
        EXPECT_EQ(readBytes(input), QByteArray("autor,obra,peso\nAna,Rui,3\nRui,Eva,1\n"));
        EXPECT_EQ(readBytes(table), QByteArray("variant,canonical\nAna,Bia\n"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System), before);
    }
}

TEST_F(CliTest, NoFileNameIsRefused)
{
    const CliResult r = runCli({input, dir.path() + u'/'});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, QStringLiteral("O arquivo de saída não foi selecionado!\n"));
}

TEST_F(CliTest, RunErrorsAsTheErrorBoxShowsThem)
{
    CliResult r = runCli({QStringLiteral("-q"), dir.path(QStringLiteral("nada.csv")), output});
    EXPECT_EQ(r.status, 1);
    // The error's own text last, after where it arose.
    EXPECT_EQ(r.err, QStringLiteral("urdiva-cli: %1:\nFile not found.\n")
                         .arg(dir.path(QStringLiteral("nada.csv"))));
    EXPECT_FALSE(QFile::exists(output + QStringLiteral(".net")));

    r = runCli(
        {QStringLiteral("-q"), QStringLiteral("--second"), QStringLiteral("3"), input, output});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.err,
        QStringLiteral("urdiva-cli: %1, linha 1:\nList index out of bounds (2)\n").arg(input));
    EXPECT_FALSE(QFile::exists(output + QStringLiteral(".net")));
}

TEST_F(CliTest, BadUsageNamesTheOption)
{
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{QStringLiteral("--bogus"), input, output}, QStringLiteral("bogus")},
        {{input}, QStringLiteral("OUTPUT")},
        {{input, output, QStringLiteral("extra")}, QStringLiteral("extra")},
        {{QStringLiteral("-s"), QStringLiteral(";;"), input, output},
         QStringLiteral("--separator")},
        {{QStringLiteral("--header"), QStringLiteral("6"), input, output},
         QStringLiteral("--header")},
        {{QStringLiteral("--header"), QStringLiteral("-1"), input, output},
         QStringLiteral("--header")},
        {{QStringLiteral("--first"), QStringLiteral("0"), input, output},
         QStringLiteral("--first")},
        {{QStringLiteral("-s"), QStringLiteral(","), QStringLiteral("--value"),
          QStringLiteral("preco"), input, output},
         QStringLiteral("--value")},
        {{QStringLiteral("--first"), QStringLiteral("1"), QStringLiteral("--first"),
          QStringLiteral("2"), input, output},
         QStringLiteral("--first")},
        {{QStringLiteral("--second"), QString(), input, output}, QStringLiteral("--second")},
    };
    // The link options, with what they need and cannot go with.
    const auto with = [&](const char* options) {
        return QString::fromUtf8(options).split(u' ') + QStringList {input, output};
    };
    const std::pair<const char*, const char*> linkCases[] = {
        {"--merge avg", "--merge"},
        {"--merge sum", "--value"},
        {"--cell-separator ;", "--cell-separator"},
        {"--cooccur 1", "--cell-separator"},
        {"--cooccur 1 --cell-separator | --first 2", "--first"},
        {"--cooccur 1 --cell-separator | --two-mode", "--two-mode"},
        {"--project first", "--two-mode"},
        {"--project both --two-mode", "--project"},
        {"--project first --two-mode --value 3", "--value"},
        {"--format dot", "--format"},
        {"--quotes -s \"", "--quotes"},
        {"--quotes --cell-separator \"", "--quotes"},
    };
    for (const auto& [options, named] : linkCases) {
        const CliResult r = runCli(with(options));
        EXPECT_EQ(r.status, 2) << options;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(named))) << r.err.toStdString();
    }
    for (const auto& [args, named] : cases) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(named)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(output + QStringLiteral(".net")));
    }
}

TEST_F(CliTest, StripAndReport)
{
    const QString data = dir.write(QStringLiteral("nomes.csv"), "[rede];x\n[redes];x\nponte];x\n");
    const CliResult r = runCli({QStringLiteral("--strip"), QStringLiteral("colchetes"),
                                QStringLiteral("--strip-at"), QStringLiteral("inicio,fim"),
                                QStringLiteral("--report"), QStringLiteral("--threshold"),
                                QStringLiteral("20"), data, output});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Arquivos gravados com sucesso!")));
    EXPECT_TRUE(
        readBytes(output + QStringLiteral(".net"))
            .startsWith("\xEF\xBB\xBF*Vertices 4\r\n1 \"rede\"\r\n2 \"x\"\r\n3 \"redes\"\r\n"));
    const QByteArray report = readBytes(dir.path(QStringLiteral("Similaridade_rede.rtf")));
    EXPECT_TRUE(report.contains("|rede| -> |redes| = 80,00%\\par")) << report.toStdString();
    EXPECT_TRUE(report.contains("|rede| -> |ponte| = 20,00%\\par"));
}

TEST_F(CliTest, BadStripAndReportOptions)
{
    for (const QStringList& args :
         {QStringList {QStringLiteral("--strip"), QStringLiteral("virgula")},
          QStringList {QStringLiteral("--strip"), QStringLiteral("ponto"),
                       QStringLiteral("--strip-at"), QStringLiteral("meio")},
          QStringList {QStringLiteral("--threshold"), QStringLiteral("101")},
          QStringList {QStringLiteral("--threshold"), QStringLiteral("x")}}) {
        const CliResult r = runCli(args + QStringList {input, output});
        EXPECT_EQ(r.status, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(args.at(args.size() - 2))) << r.err.toStdString();
    }
}

TEST_F(CliTest, HelpAndVersion)
{
    CliResult r = runCli({QStringLiteral("--help")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Uso: urdiva-cli")));
    // The README's table of options names the options the help names, no more, no fewer.
    const QString readme =
        QString::fromUtf8(readBytes(QStringLiteral(URDIVA_SOURCE_DIR "/README.md")));
    const QRegularExpression option(QStringLiteral("--[a-z-]+"));
    QStringList documented;
    const QStringList lines = readme.split(u'\n');
    // The rows of the table headed "| option | meaning |".
    for (qsizetype i = lines.indexOf(QStringLiteral("| option | meaning |")) + 2;
         i > 1 && i < lines.size() && lines.at(i).startsWith(u'|'); ++i) {
        for (const auto& match : option.globalMatch(lines.at(i).section(u'|', 1, 1)))
            documented << match.captured();
    }
    QStringList helped;
    for (const QString& line : r.out.split(u'\n')) {
        if (line.startsWith(QStringLiteral("  -"))) {
            for (const auto& match : option.globalMatch(line.section(QStringLiteral("  "), 1, 1)))
                helped << match.captured();
        }
    }
    documented.sort();
    helped.sort();
    EXPECT_FALSE(helped.isEmpty());
    EXPECT_EQ(documented, helped);
    r = runCli({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, QStringLiteral("urdiva-cli " URDIVA_VERSION "\n"));
}

TEST_F(CliTest, RelativeOutputInTheWorkingFolder)
{
    const CliResult r = runCli({QStringLiteral("-q"), QStringLiteral("-s"), QStringLiteral("comma"),
                                QStringLiteral("dados.csv"), QStringLiteral("rede.txt")},
                               dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(QFile::exists(dir.path(QStringLiteral("rede.txt.net"))));
}

} // namespace

// Memory grows with the names, not the records: a run of eight million records over a thousand
// names, under a limit on its address space that keeping every record (or the whole network
// text) in memory would exceed, writes the same network as a run without the limit.
TEST_F(CliTest, ManyRecordsWithinAMemoryLimit)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit";
#endif
    const QString prlimit = QStandardPaths::findExecutable(QStringLiteral("prlimit"));
    if (prlimit.isEmpty())
        GTEST_SKIP() << "prlimit is not installed";
    QFile file(dir.path(QStringLiteral("muitos.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray block;
    for (qint64 i = 0; i < 8000000; ++i) {
        block += "p" + QByteArray::number(i * 7919 % 1000) + ";p" +
                 QByteArray::number(i * 104729 % 1000) + ";" + QByteArray::number(i % 9) + "\n";
        if (block.size() > (1 << 20) || i == 7999999) {
            ASSERT_EQ(file.write(block), block.size());
            block.clear();
        }
    }
    file.close();
    const QStringList arguments = {QStringLiteral("-q"), QStringLiteral("--value"),
                                   QStringLiteral("3"), file.fileName()};
    const QString free = dir.path(QStringLiteral("livre"));
    const QString limited = dir.path(QStringLiteral("limitada"));
    ASSERT_EQ(runCli(arguments + QStringList {free}).status, 0);
    QProcess process;
    process.start(prlimit,
                  QStringList {QStringLiteral("--as=268435456"), QStringLiteral(URDIVA_CLI_PATH)} +
                      arguments + QStringList {limited});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QByteArray network = readBytes(free + QStringLiteral(".net"));
    EXPECT_TRUE(network.startsWith("\xEF\xBB\xBF*Vertices 1000\r\n"));
    EXPECT_EQ(network.count("\r\n"), 1000 + 2 + 8000000);
    EXPECT_TRUE(readBytes(limited + QStringLiteral(".net")) == network);
}

// Standard input to standard output: the network's bytes alone on standard output, nothing else
// written, nothing on standard error when quiet; the final message moves to standard error
// otherwise; a report needs a real file.
TEST_F(CliTest, StandardInputToStandardOutput)
{
    const QByteArray data = "Ana;Rui;2,5\nRui;Eva;1.234,5\n";
    CliResult r = runCli({QStringLiteral("-q"), QStringLiteral("--value"), QStringLiteral("3"),
                          QStringLiteral("--decimal-comma"), QStringLiteral("--no-bom"),
                          QStringLiteral("-"), QStringLiteral("-")},
                         dir.path(), data);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              QStringLiteral("*Vertices 3\r\n1 \"Ana\"\r\n2 \"Rui\"\r\n3 \"Eva\"\r\n*Edges\r\n"
                             "1 2 2.5\r\n2 3 1234.5\r\n"));
    EXPECT_EQ(r.err, QString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // only the input
    r = runCli({QStringLiteral("-"), QStringLiteral("-")}, dir.path(), data);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith(QString::fromUtf8("\xEF\xBB\xBF*Vertices 3\r\n")));
    EXPECT_TRUE(r.err.endsWith(QStringLiteral("Arquivo gravado com sucesso!\n")));
    r = runCli({QStringLiteral("--report"), input, QStringLiteral("-")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("'--report'"))) << r.err.toStdString();
}

// After a run, standard error holds one line per warning and the summary, with line numbers
// where they help; with --quotes the quoted-looking line is read as it was meant, and a column
// name may span lines.
TEST_F(CliTest, WarningsAndSummary)
{
    const QString data = dir.write(QStringLiteral("dados.csv"),
                                   "Ana;Rui;2,5\n\"Bia\";Eva \"Lima\";x\nEva \"Lima\";;1\n"
                                   "\"Silva; J.\";Rui;3\nbarra\\;Ana;1\n");
    CliResult r = runCli({QStringLiteral("--value"), QStringLiteral("3"), data, output});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "urdiva-cli: aviso: a linha 2 parece ter campos entre aspas; use --quotes para lê-los "
        "como tais.")));
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "urdiva-cli: aviso: 3 pesos não são números (o primeiro na linha 1); leitores como "
        "igraph e networkx não os aceitam (veja --decimal-comma).")));
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "urdiva-cli: aviso: 4 nomes gravados com apóstrofo (') no lugar de aspas (\") ou espaço "
        "no lugar de quebra de linha.")));
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "urdiva-cli: aviso: 1 nome termina em barra invertida (\\); o networkx não lê um arquivo "
        "Pajek com um nome assim (o igraph lê).")));
    EXPECT_EQ(r.out, QStringLiteral("Arquivo gravado com sucesso!\n"));
    EXPECT_EQ(lines.last(),
              QStringLiteral("urdiva-cli: 5 registros lidos, 4 linhas de ligação gravadas, 1 "
                             "registro sem ligação (uma ponta em branco), 7 vértices."))
        << r.err.toStdString();
    r = runCli({QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("--quotes"),
                QStringLiteral("--decimal-comma"), QStringLiteral("--value"), QStringLiteral("3"),
                data, output});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(
        readBytes(output + QStringLiteral(".net")),
        net({"*Vertices 6", "1 \"Ana\"", "2 \"Rui\"", "3 \"Bia\"", "4 \"Eva 'Lima'\"",
             "5 \"Silva; J.\"", "6 \"barra\\\"", "*Edges", "1 2 2.5", "3 4 x", "5 2 3", "6 1 1"}));
    dir.write(QStringLiteral("dados.csv"), "\"autor\nprincipal\";obra\nAna;Rui\n");
    r = runCli({QStringLiteral("-q"), QStringLiteral("-f"), QStringLiteral("--quotes"),
                QStringLiteral("--header"), QStringLiteral("1"), QStringLiteral("--first"),
                QStringLiteral("autor\nprincipal"), QStringLiteral("--second"),
                QStringLiteral("obra"), data, output});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(readBytes(output + QStringLiteral(".net")).endsWith("*Edges\r\n1 2\r\n"));
}
