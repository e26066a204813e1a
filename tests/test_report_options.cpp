// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_error.h"
#include "engine/report/compared_text.h"
#include "engine/report/similarity.h"
#include "reference.h"
#include "test_support.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::RecordingFeedback;
using urdiva::test::TempDir;
using urdiva::test::textLines;

namespace {

// A run over the data with the report asked for; the error's text and context, if any.
QString run(TempDir& dir, const QByteArray& data,
            const std::function<void(ConversionSettings&)>& set)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    ConversionSettings settings;
    settings.inputPath = dir.write(QStringLiteral("dados.csv"), data);
    settings.outputPath = dir.path(QStringLiteral("rede"));
    settings.similarityReport = true;
    set(settings);
    RecordingFeedback feedback;
    try {
        runConversion(settings, feedback);
    } catch (const RunError& error) {
        return error.context() + QStringLiteral(": ") + error.message();
    }
    return {};
}

TEST(ReportOptions, ComparedTexts)
{
    const struct {
        const char* name;
        bool foldAccents;
        bool tokenSort;
        const char* compared;
    } cases[] = {
        {"Luís Sá", true, false, "Luis Sa"},
        {"Inês Gé", true, false, "Ines Ge"},
        {"Ção", true, false, "Cao"},
        {"Luís Sá", false, false, "Luís Sá"},
        {"Silva, J.", false, true, "J Silva"},
        {"J. Silva", false, true, "J Silva"},
        {"de  Souza,\tMaria", false, true, "de Maria Souza"},
        {"Sá, João", true, true, "Joao Sa"},
        {"", true, true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(comparedText(QString::fromUtf8(c.name), c.foldAccents, c.tokenSort),
                  QString::fromUtf8(c.compared))
            << c.name;
}

// The CSV lists each group's pairs together, the group's most frequent name first, with vertex
// numbers and counts; HTML the same rows, escaped.
TEST(ReportOptions, GroupsInCsvAndHtml)
{
    TempDir dir;
    const QByteArray data = "Rede;x\nRedes;x\nPonte;x\nRedes;y\nPontes;y\nRedes;z\nPontes;z\n"
                            "Pontes;w\n<Re&d>;w\n";
    EXPECT_EQ(run(dir, data, [](ConversionSettings& s) { s.reportFormat = ReportFormat::Csv; }),
              QString());
    EXPECT_EQ(textLines(readBytes(dir.path(QStringLiteral("Similaridade_rede.csv")))),
              QStringList({"grupo,vertice_1,nome_1,registros_1,vertice_2,nome_2,registros_2,"
                           "similaridade",
                           "1,3,Redes,3,1,Rede,1,80.00", "2,6,Pontes,3,4,Ponte,1,83.33"}));
    EXPECT_EQ(run(dir, data,
                  [](ConversionSettings& s) {
                      s.reportFormat = ReportFormat::Html;
                      s.similarityThreshold = 50;
                  }),
              QString());
    const QString html =
        QString::fromUtf8(readBytes(dir.path(QStringLiteral("Similaridade_rede.html"))));
    EXPECT_TRUE(html.contains(QStringLiteral("<td>&lt;Re&amp;d&gt;</td>"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<Re&d>")));
}

TEST(ReportOptions, SecondModeInAReportOfItsOwn)
{
    TempDir dir;
    EXPECT_EQ(run(dir, "Ana;Recife\nRui;Recyfe\nEva;Natal\n",
                  [](ConversionSettings& s) {
                      s.mode = NetworkMode::TwoMode;
                      s.reportFormat = ReportFormat::Csv;
                      s.reportBothModes = true;
                  }),
              QString());
    EXPECT_EQ(
        textLines(readBytes(dir.path(QStringLiteral("Similaridade_rede_segundo_modo.csv")))).mid(1),
        QStringList({"1,4,Recife,1,5,Recyfe,1,83.33"}));
    EXPECT_EQ(textLines(readBytes(dir.path(QStringLiteral("Similaridade_rede.csv")))).size(), 1);
}

TEST(ReportOptions, RenameTablesThatAreNotOnes)
{
    const struct {
        const char* table;
        const char* error;
    } cases[] = {
        {"nome,novo\n", "nomes.csv, linha 1: A tabela de nomes deve começar"},
        {"variant,canonical\nAna,Ana Souza,x\n", "nomes.csv, linha 2: A linha não é um par"},
        {"variant,canonical\nAna\n", "nomes.csv, linha 2: A linha não é um par"},
        {"", "nomes.csv, linha 1: A tabela de nomes deve começar"},
        {"variant,canonical\n\"Ana,Ana Souza\n", "nomes.csv, linha 2: As aspas abertas na linha 2"},
        {"variant,canonical\nAna,\n", "nomes.csv, linha 2: A linha não é um par"},
        {"variant,canonical\nAna,Ana Souza\n\nANA,Ana Lima\n",
         "nomes.csv, linha 4: O nome \"ANA\" já tem outro nome canônico"},
        // Chains and cycles: the result would depend on the order of renaming.
        {"variant,canonical\na,b\nb,c\n",
         "nomes.csv, linha 3: O nome \"b\" é variante na linha 3 e nome canônico na linha 2"},
        {"variant,canonical\na,b\nB,a\n",
         "nomes.csv, linha 2: O nome \"a\" é variante na linha 2 e nome canônico na linha 3"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const QString table = dir.write(QStringLiteral("nomes.csv"), c.table);
        const QString error = run(dir, "Ana;Rui\n", [&](ConversionSettings& s) {
            s.similarityReport = false;
            s.renamePath = table;
        });
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.error))) << error.toStdString();
    }
}

// Names that each have a few misspelt copies, each copy seen fewer times than its original.
QByteArray variantData(QRandomGenerator& random, std::vector<QString>& originals)
{
    const QString letters = QStringLiteral("abcdefghijlmnoprstuvçãéí");
    QByteArray data;
    for (int n = 0; n < 30; ++n) {
        QString name;
        for (int k = 6 + random.bounded(8); k > 0; --k)
            name += letters[random.bounded(int(letters.size()))];
        originals.push_back(name);
        for (int k = 0; k < 4; ++k)
            data += (name + QStringLiteral(";x\n")).toUtf8();
        for (int copies = random.bounded(3); copies > 0; --copies) {
            QString copy = name;
            copy[random.bounded(int(copy.size()))] = letters[random.bounded(int(letters.size()))];
            data += (copy + QStringLiteral(";y\n")).toUtf8();
        }
    }
    return data;
}

// Every listed pair reaches the threshold, every group is held together by its listed pairs,
// and the suggested renames, applied, leave one vertex per group.
TEST(ReportOptions, GroupsAndRenamesCloseTheLoop)
{
    QRandomGenerator random(41);
    qsizetype mergedInAll = 0;
    for (int round = 0; round < 5; ++round) {
        TempDir dir;
        std::vector<QString> originals;
        const QByteArray data = variantData(random, originals);
        const QString table = dir.path(QStringLiteral("nomes.csv"));
        ASSERT_EQ(run(dir, data,
                      [&](ConversionSettings& s) {
                          s.reportFormat = ReportFormat::Csv;
                          s.similarityThreshold = 75;
                          s.suggestRenamesPath = table;
                      }),
                  QString());
        const QStringList network = textLines(readBytes(dir.path(QStringLiteral("rede.net"))));
        const int vertices = network.front().section(u' ', 1, 1).toInt();
        std::map<int, std::set<QString>> groups;
        std::map<int, std::vector<std::pair<QString, QString>>> pairs;
        for (const QString& row :
             textLines(readBytes(dir.path(QStringLiteral("Similaridade_rede.csv")))).mid(1)) {
            const QStringList f = row.split(u',');
            ASSERT_EQ(f.size(), 8) << row.toStdString();
            EXPECT_GE(100 * urdiva::reference::similarity(f[2], f[5], true),
                      f[7].toDouble() - 0.005);
            EXPECT_GE(f[7].toDouble(), 75.0);
            groups[f[0].toInt()].insert({f[2], f[5]});
            pairs[f[0].toInt()].emplace_back(f[2], f[5]);
        }
        qsizetype merged = 0;
        std::set<QString> seen;
        for (const auto& [group, members] : groups) {
            // Connected: a walk over the group's pairs reaches every member.
            std::set<QString> reached {*members.begin()};
            for (bool grew = true; grew;) {
                grew = false;
                for (const auto& [a, b] : pairs[group]) {
                    if (reached.count(a) != reached.count(b)) {
                        reached.insert(a);
                        reached.insert(b);
                        grew = true;
                    }
                }
            }
            EXPECT_EQ(reached, members);
            for (const QString& member : members)
                EXPECT_TRUE(seen.insert(member).second) << "in two groups";
            merged += qsizetype(members.size()) - 1;
        }
        EXPECT_EQ(textLines(readBytes(table)).size() - 1, merged);

        ASSERT_EQ(run(dir, data,
                      [&](ConversionSettings& s) {
                          s.similarityReport = false;
                          s.renamePath = table;
                      }),
                  QString());
        const QStringList renamed = textLines(readBytes(dir.path(QStringLiteral("rede.net"))));
        EXPECT_EQ(renamed.front().section(u' ', 1, 1).toInt(), vertices - merged);
        mergedInAll += merged;
    }
    EXPECT_GT(mergedInAll, 20); // the data does have variants
}

// In two-mode the suggested table says each rename's mode, and reads back whatever the modes
// hold: a name may be a variant in one mode and another's canonical name in the other. Applied,
// it gives the network that its renames, each applied to its own column, give.
TEST(ReportOptions, TwoModeTablesRenameEachModeApart)
{
    QRandomGenerator random(43);
    const QString letters = QStringLiteral("abcdeilmnorsu");
    qsizetype renamedInAll = 0;
    for (int round = 0; round < 20; ++round) {
        // A pool of names with slips, drawn for each column with frequencies of its own.
        QStringList pool;
        for (int n = 0; n < 6; ++n) {
            QString name;
            for (int k = 5 + random.bounded(4); k > 0; --k)
                name += letters[random.bounded(int(letters.size()))];
            pool << name;
            name[random.bounded(int(name.size()))] = letters[random.bounded(int(letters.size()))];
            pool << name;
        }
        const auto draw = [&] { return pool[random.bounded(int(pool.size()))]; };
        std::vector<std::pair<QString, QString>> rows;
        QByteArray data;
        for (int r = 0; r < 40; ++r) {
            rows.emplace_back(draw(), draw());
            data += (rows.back().first + u';' + rows.back().second + u'\n').toUtf8();
        }
        TempDir dir;
        const QString table = dir.path(QStringLiteral("nomes.csv"));
        const auto twoMode = [&](ConversionSettings& s) {
            s.mode = NetworkMode::TwoMode;
            s.reportBothModes = true;
            s.reportFormat = ReportFormat::Csv;
            s.similarityThreshold = 70;
            s.suggestRenamesPath = table;
        };
        ASSERT_EQ(run(dir, data, twoMode), QString());
        std::map<QString, QString> renames[2];
        const QStringList lines = textLines(readBytes(table));
        ASSERT_EQ(lines.value(0), QStringLiteral("variant,canonical,mode"));
        for (const QString& line : lines.mid(1)) {
            const QStringList f = line.split(u',');
            ASSERT_EQ(f.size(), 3) << line.toStdString();
            ASSERT_TRUE(f[2] == u"1" || f[2] == u"2") << line.toStdString();
            renames[f[2] == u"2"][f[0]] = f[1];
        }
        renamedInAll += lines.size() - 1;
        ASSERT_EQ(run(dir, data,
                      [&](ConversionSettings& s) {
                          s.mode = NetworkMode::TwoMode;
                          s.similarityReport = false;
                          s.renamePath = table;
                      }),
                  QString());
        QStringList expected[2];
        for (const auto& [first, second] : rows) {
            const QString ends[2] = {first, second};
            for (int m = 0; m < 2; ++m) {
                const QString name = renames[m].count(ends[m]) ? renames[m][ends[m]] : ends[m];
                if (!expected[m].contains(name))
                    expected[m] << name;
            }
        }
        QStringList written[2];
        const QStringList network = textLines(readBytes(dir.path(QStringLiteral("rede.net"))));
        const qsizetype firstCount = network.front().section(u' ', 2, 2).toInt();
        for (qsizetype k = 1; k < network.size() && network[k].contains(u'"'); ++k)
            written[k > firstCount] << network[k].section(u'"', 1, 1);
        EXPECT_EQ(written[0], expected[0]) << round;
        EXPECT_EQ(written[1], expected[1]) << round;
    }
    EXPECT_GT(renamedInAll, 20); // the data does have variants
}

// Names a spreadsheet would run as formulas, or that hold line breaks, commas and quotation marks
// (read with quoted fields): the CSV report and the suggested table protect the formulas, and
// the table, read back, turns every misspelt copy into its original.
TEST(ReportOptions, SuggestedTablesReadBackWhateverTheNames)
{
    const QStringList originals = {
        QStringLiteral("=SOMA(A1:A9)"),  QStringLiteral("+55 81 3333"),
        QStringLiteral("-Ana Souza"),    QStringLiteral("@Rui Lima"),
        QStringLiteral("'Eva Matos"),    QStringLiteral("Ana\nSouza Lima"),
        QStringLiteral("Silva, \"Zé\""), QStringLiteral("'=Bia Costa")};
    QByteArray data;
    const auto quoted = [](QString name) {
        return u'"' + name.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    };
    for (const QString& name : originals) {
        QString copy = name;
        copy.back() = copy.back() == u'x' ? u'y' : u'x';
        data += (quoted(name) + QStringLiteral(";a\n") + quoted(name) + QStringLiteral(";b\n") +
                 quoted(copy) + QStringLiteral(";c\n"))
                    .toUtf8();
    }
    TempDir dir;
    const QString table = dir.path(QStringLiteral("nomes.csv"));
    ASSERT_EQ(run(dir, data,
                  [&](ConversionSettings& s) {
                      s.quotedFields = true;
                      s.mode = NetworkMode::TwoMode;
                      s.reportFormat = ReportFormat::Csv;
                      s.similarityThreshold = 75;
                      s.suggestRenamesPath = table;
                  }),
              QString());
    for (const QString& file : {table, dir.path(QStringLiteral("Similaridade_rede.csv"))}) {
        const QString text = QString::fromUtf8(readBytes(file));
        for (const char* risky : {"\n=", "\n+", "\n-", "\n@", ",=", ",+", ",-", ",@"})
            EXPECT_FALSE(text.contains(QLatin1StringView(risky))) << file.toStdString();
    }
    ASSERT_EQ(run(dir, data,
                  [&](ConversionSettings& s) {
                      s.quotedFields = true;
                      s.mode = NetworkMode::TwoMode;
                      s.similarityReport = false;
                      s.renamePath = table;
                  }),
              QString());
    const QStringList network = textLines(readBytes(dir.path(QStringLiteral("rede.net"))));
    EXPECT_EQ(network.front(),
              QStringLiteral("*Vertices %1 %2").arg(originals.size() + 3).arg(originals.size()));
    for (qsizetype k = 0; k < originals.size(); ++k) {
        QString shown = originals[k];
        shown.replace(u'"', u'\'').replace(u'\n', u' ');
        EXPECT_EQ(network[k + 1], QStringLiteral("%1 \"%2\"").arg(k + 1).arg(shown));
    }
}

} // namespace
