// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "engine/report/percentage_text.h"
#include "engine/report/report_paths.h"
#include "engine/report/similarity_report.h"
#include "reference.h"
#include "test_support.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <random>

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::Slip;
using urdiva::test::TempDir;

namespace {

QString s(const char16_t* text)
{
    return QStringView(text).toString();
}

// Vertex list entries are normal forms: the name followed by the field marker.
QStringList vertices(std::initializer_list<const char16_t*> names)
{
    QStringList out;
    for (const char16_t* name : names)
        out << s(name) + QChar(0x00B6);
    return out;
}

TEST(SimilarityReportLines, PairsAtTheThreshold)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const QString title = QStringLiteral("Relatório de vértices Similares");
    const QString dashes(105, u'-');
    const QStringList names = vertices({u"rede", u"redes", u"ponte"});
    EXPECT_EQ(
        urdiva::reference::similarityReportLines(names, 80),
        (QStringList {title, dashes, "|rede| -> |redes| = 80,00%", dashes,
                      QStringLiteral("Foram encontrados 1 vértices similares usando a taxa de "
                                     "similaridade igual a 80%")}));
    EXPECT_EQ(urdiva::reference::similarityReportLines(names, 81),
              (QStringList {title, dashes,
                            QStringLiteral("Não foram encontrados vértices similares usando a taxa "
                                           "de similaridade igual a 81%")}));
    EXPECT_EQ(urdiva::reference::similarityReportLines(names, 20).mid(2, 2),
              (QStringList {"|rede| -> |redes| = 80,00%", "|rede| -> |ponte| = 20,00%"}));
    EXPECT_EQ(urdiva::reference::similarityReportLines(names, 0).size(), 2 + 3 + 2);
    for (const QStringList& few : {QStringList(), vertices({u"só"})})
        EXPECT_EQ(urdiva::reference::similarityReportLines(few, 80).size(), 3);
    // Case of ASCII letters never counts, an accented capital does.
    EXPECT_EQ(urdiva::reference::similarityReportLines(
                  vertices({u"Casa", u"cASA", u"\u00C9", u"\u00E9"}), 50)
                  .at(2),
              QStringLiteral("|Casa| -> |cASA| = 100,00%"));
    EXPECT_EQ(urdiva::reference::similarityReportLines(vertices({u"\u00C9", u"\u00E9"}), 1).size(),
              3);
    // Three edits in 32 code units.
    EXPECT_EQ(
        urdiva::reference::similarityReportLines(
            vertices({u"abcdefghijklmnopqrstuvwxyz012345", u"abcdefghijklmnopqrstuvwxyz012XYZ"}), 0)
            .at(2)
            .section(u'=', 1),
        QStringLiteral(" 90,63%"));
}

TEST(SimilarityReportLines, EnglishLocaleFormat)
{
    LocaleGuard locale(QStringLiteral("en_US"));
    EXPECT_EQ(urdiva::reference::similarityReportLines(vertices({u"rede", u"redes"}), 80).at(2),
              QStringLiteral("|rede| -> |redes| = 80.00%"));
}

// Names drawn as people type them: a few stems with swaps, doubled or dropped letters, case and
// accents, so that every threshold finds pairs.
QStringList typingVariants(int count, std::mt19937& random)
{
    const std::u16string stems[] = {
        u"Maria da Silva", u"Jo\u00E3o Pereira",     u"Ana", u"{x}\\y", u"\U0001F600 Sorriso",
        u"Bia\tRamos",     u"Ren\u00E9e Ara\u00FAjo"};
    QStringList names;
    while (names.size() < count) {
        QString name = QString::fromStdU16String(stems[random() % std::size(stems)]);
        for (int edits = int(random() % 4); edits > 0 && name.size() > 2; --edits) {
            const qsizetype at = qsizetype(random() % (name.size() - 1));
            constexpr Slip kSlips[] = {Slip::Swap, Slip::Double, Slip::Drop, Slip::Capital};
            urdiva::test::makeSlip(name, at, kSlips[random() % 4]);
        }
        if (!names.contains(name + QChar(0x00B6)))
            names << name + QChar(0x00B6);
    }
    return names;
}

// Names far longer than people's: a long text, its variants, and one of 10,000 letters.
QStringList longNames()
{
    QString base;
    for (int k = 0; k < 400; ++k)
        base += QChar(u'a' + (k * 7 + k / 13) % 26);
    QString edited = base;
    edited[10] = u'Z';
    edited.remove(200, 3);
    return {base + u'¶', edited + u'¶', base + QString(150, u'x') + u'¶',
            QString(10000, u'q') + base + u'¶', QStringLiteral("curto¶")};
}

TEST(SimilarityReport, SameDocumentAsThePlainLoop)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    TempDir dir;
    std::mt19937 random(80);
    std::vector<QStringList> lists;
    for (int size : {0, 1, 2, 40, 300})
        lists.push_back(typingVariants(size, random));
    lists.push_back(longNames());
    for (const QStringList& names : lists) {
        for (int threshold : {0, 1, 50, 80, 95, 100}) {
            SCOPED_TRACE(std::to_string(names.size()) + " names at " + std::to_string(threshold));
            const QString reference = dir.path(QStringLiteral("reference.rtf"));
            urdiva::reference::writeReportDocument(
                reference, urdiva::reference::similarityReportLines(names, threshold));
            urdiva::reference::writeFirstModeReport(names, threshold,
                                                    dir.path(QStringLiteral("rede.net")));
            ASSERT_EQ(readBytes(dir.path(QStringLiteral("Similaridade_rede.rtf"))),
                      readBytes(reference));
        }
    }
}

TEST(SimilarityReport, UnwritableFolder)
{
    TempDir dir;
    const QString output = dir.path(QStringLiteral("nada/rede.net"));
    try {
        urdiva::reference::writeFirstModeReport(vertices({u"a"}), 80, output);
        FAIL();
    } catch (const RunError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot create file \"%1\". ")
                                               .arg(QDir::toNativeSeparators(dir.path(
                                                   QStringLiteral("nada/Similaridade_rede.rtf"))))))
            << e.message().toStdString();
    }
}

// What an RTF reader shows: unrtf's plain-text rendering, in Latin-1, after its own header.
QStringList readBack(const QString& rtf, const QString& format)
{
    QProcess unrtf;
    unrtf.start(QStringLiteral("unrtf"), {format, rtf});
    unrtf.waitForFinished(30000);
    const QByteArray out = unrtf.readAllStandardOutput();
    if (format == u"--html")
        return {QString::fromLatin1(out)};
    QStringList lines = QString::fromLatin1(out).split(u'\n');
    lines = lines.mid(lines.indexOf(QString(17, u'-')) + 1);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

TEST(SimilarityReport, ReadBackByAnRtfReader)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unrtf")).isEmpty())
        GTEST_SKIP() << "unrtf is not installed";
    LocaleGuard locale(QStringLiteral("pt_BR"));
    TempDir dir;
    const QStringList names = vertices({u"{Jos\u00E9}\\Ara\u00FAjo", u"{jos\u00E9}\\araujo",
                                        u"S\u00E3o Paulo", u"Sao Paulo", u"\\par x", u"a}b{c"});
    urdiva::reference::writeFirstModeReport(names, 60, dir.path(QStringLiteral("rede")));
    const QString report = dir.path(QStringLiteral("Similaridade_rede.rtf"));
    EXPECT_EQ(readBack(report, QStringLiteral("--text")),
              urdiva::reference::similarityReportLines(names, 60));

    // Letters beyond Latin-1 come through \u as character references.
    urdiva::reference::writeFirstModeReport(vertices({u"\u0416\u20AC\U0001F600", u"x"}), 0,
                                            dir.path(QStringLiteral("rede")));
    const QString html = readBack(report, QStringLiteral("--html")).first();
    EXPECT_TRUE(html.contains(QStringLiteral("|&#1046;&euro;&#55357;&#56832;| -&gt; |x| = 0,00%")))
        << html.toStdString();
}

} // namespace
