#include "test_support.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

using urdiva::test::readBytes;
using urdiva::test::TempDir;

namespace {

struct CliResult {
    int status = -1;
    QString out;
    QString err;
};

CliResult runCli(const QStringList& arguments, const QString& workingDir = QString())
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("pt_BR.UTF-8"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(URDIVA_CLI_PATH), arguments);
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
    EXPECT_EQ(r.out, QStringLiteral("Arquivo gravado com sucesso!\n"));
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
    EXPECT_EQ(r.err, QStringLiteral("File not found.\n"));
    EXPECT_FALSE(QFile::exists(output + QStringLiteral(".net")));

    r = runCli(
        {QStringLiteral("-q"), QStringLiteral("--second"), QStringLiteral("3"), input, output});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("List index out of bounds (2)\n"));
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
    const CliResult r = runCli({QStringLiteral("-q"), QStringLiteral("--strip"),
                                QStringLiteral("colchetes"), QStringLiteral("--strip-at"),
                                QStringLiteral("inicio,fim"), QStringLiteral("--report"),
                                QStringLiteral("--threshold"), QStringLiteral("20"), data, output});
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
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage: urdiva-cli")));
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
