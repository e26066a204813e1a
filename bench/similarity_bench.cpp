// SPDX-License-Identifier: MIT
// Times the similar-vertex report on realistic names (people's names with typing variants): the
// plain double loop, the report as the program writes it, and python3-levenshtein's
// Levenshtein.distance in a Python double loop over the same names. The two slow ones run for a
// few seconds over the first rows and are scaled up by the share of pairs they covered; on those
// rows the report's pair lines must equal the plain loop's, byte for byte.
//
// Usage: similarity_bench [--budget SECONDS]

#include "engine/io/field_marker.h"
#include "engine/report/percentage_text.h"
#include "engine/report/report_paths.h"
#include "engine/report/rtf_text.h"
#include "engine/report/similarity.h"
#include "engine/report/similarity_report.h"
#include "reference.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>

using namespace urdiva;

namespace {

const char16_t* const kFirst[] = {
    u"Ana",    u"Antônio", u"Beatriz", u"Bruno",  u"Camila",   u"Carlos",  u"Cecília", u"Daniel",
    u"Débora", u"Eduardo", u"Érica",   u"Fábio",  u"Fernanda", u"Gabriel", u"Heloísa", u"João",
    u"José",   u"Júlia",   u"Lucas",   u"Luís",   u"Márcia",   u"Maria",   u"Natália", u"Otávio",
    u"Paulo",  u"Pedro",   u"Rafael",  u"Sérgio", u"Sílvia",   u"Thiago",  u"Valéria", u"Vinícius"};
const char16_t* const kLast[] = {u"Silva",     u"Santos",    u"Oliveira", u"Souza",    u"Rodrigues",
                                 u"Ferreira",  u"Alves",     u"Pereira",  u"Lima",     u"Gomes",
                                 u"Costa",     u"Ribeiro",   u"Martins",  u"Carvalho", u"Almeida",
                                 u"Lopes",     u"Gonçalves", u"Araújo",   u"Brandão",  u"Magalhães",
                                 u"Conceição", u"Guimarães", u"Falcão"};

// N distinct names: mostly distinct people, a quarter typed again with one or two slips.
QStringList realisticNames(int count, std::mt19937& random)
{
    QStringList people;
    QStringList names;
    const auto pick = [&](const auto& list) {
        return QStringView(list[random() % std::size(list)]).toString();
    };
    while (names.size() < count) {
        QString name;
        if (!people.isEmpty() && random() % 4 == 0) {
            name = people[qsizetype(random() % people.size())];
            for (int slips = 1 + int(random() % 2); slips > 0; --slips) {
                const qsizetype at = qsizetype(random() % (name.size() - 1));
                switch (random() % 5) {
                case 0:
                    std::swap(name[at], name[at + 1]);
                    break;
                case 1:
                    name.insert(at, name[at]);
                    break;
                case 2:
                    name.remove(at, 1);
                    break;
                case 3:
                    name[at] = name[at].toUpper();
                    break;
                default:
                    name = name.normalized(QString::NormalizationForm_D)
                               .remove(QRegularExpression(QStringLiteral("\\p{Mn}")));
                    break;
                }
            }
        } else {
            name = pick(kFirst) + u' ' + pick(kLast);
            if (random() % 2)
                name += u' ' + pick(kLast);
            if (random() % 3 == 0)
                name += u' ' + pick(kLast);
            people << name;
        }
        name += kFieldMarker;
        if (!names.contains(name))
            names << name;
    }
    return names;
}

struct Partial {
    double seconds;
    double shareOfPairs;
    QList<QByteArray> lines; // pair lines in RTF
};

// The plain double loop over the first rows, for about `budget` seconds.
Partial plainLoop(const QStringList& vertices, int threshold, double budget)
{
    const QLocale locale;
    QStringList names;
    for (const QString& v : vertices)
        names << removeMarkers(v);
    const qint64 n = names.size();
    Partial result {0, 0, {}};
    QElapsedTimer timer;
    timer.start();
    qint64 pairs = 0;
    for (qint64 i = 0; i < n && timer.elapsed() < budget * 1000; ++i) {
        for (qint64 j = i + 1; j < n; ++j) {
            const double percentage =
                similarityPercentage(urdiva::reference::similarity(names[i], names[j], true));
            if (percentage >= threshold) {
                result.lines << rtfText(u'|' + names[i] + QStringLiteral("| -> |") + names[j] +
                                        QStringLiteral("| = ") +
                                        formatPercentage(percentage, locale) + u'%');
            }
        }
        pairs += n - 1 - i;
    }
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    result.shareOfPairs = double(pairs) / (double(n) * double(n - 1) / 2);
    return result;
}

// Python's Levenshtein.distance in a double loop over the first rows; returns the estimated
// seconds for all pairs, or a negative value when the module is missing.
double pythonLoop(const QStringList& vertices, double budget, const QString& folder)
{
    QFile file(folder + QStringLiteral("/names.txt"));
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    for (const QString& v : vertices)
        file.write(removeMarkers(v).toUtf8() + '\n');
    file.close();
    const QString script = QStringLiteral(
        "import sys, time\n"
        "import Levenshtein\n"
        "names = open(sys.argv[1], encoding='utf-8').read().split('\\n')[:-1]\n"
        "budget = float(sys.argv[2]); n = len(names); pairs = 0; found = 0\n"
        "start = time.perf_counter()\n"
        "for i in range(n):\n"
        "    a = names[i].lower(); la = len(a)\n"
        "    for j in range(i + 1, n):\n"
        "        b = names[j].lower()\n"
        "        if 1 - Levenshtein.distance(a, b) / max(la, len(b), 1) >= 0.8: found += 1\n"
        "    pairs += n - 1 - i\n"
        "    if time.perf_counter() - start > budget: break\n"
        "elapsed = time.perf_counter() - start\n"
        "print(elapsed / (pairs / (n * (n - 1) / 2)))\n");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), script, file.fileName(), QString::number(budget)});
    python.waitForFinished(-1);
    bool ok = false;
    const double seconds = python.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok && python.exitCode() == 0 ? seconds : -1;
}

// The first pair lines of a report file, without reading the rest: at threshold 0 the report
// of 20,000 names has 200 million lines.
QList<QByteArray> firstPairLines(const QString& path, qsizetype count)
{
    QFile file(path);
    QList<QByteArray> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    while (lines.size() < count && !file.atEnd()) {
        const QByteArray paragraph = file.readLine();
        if (paragraph.startsWith('|'))
            lines << paragraph.chopped(6); // "\par\r\n"
    }
    return lines;
}

qint64 pairsListed(const QString& path)
{
    // The closing line says how many; it is the file's last paragraph.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    file.seek(std::max<qint64>(0, file.size() - 400));
    const QByteArray tail = file.readAll();
    const qsizetype at = tail.indexOf("Foram encontrados ");
    return at < 0 ? 0 : tail.mid(at + 18).split(' ').first().toLongLong();
}

// The report's options against the plain report on the same names, each the best of three:
// names compared without accents and with sorted words, the CSV report (whose groups take a
// second pass over their own names) and a rename table.
int compareOptions(const QStringList& names, const QString& folder)
{
    struct Variant {
        const char* name;
        std::function<void(ConversionSettings&)> set;
    };
    const Variant variants[] = {
        {"plain report (RTF)", [](ConversionSettings&) {}},
        {"--fold-accents --token-sort",
         [](ConversionSettings& s) {
             s.foldAccents = true;
             s.tokenSort = true;
         }},
        {"--report-format csv", [](ConversionSettings& s) { s.reportFormat = ReportFormat::Csv; }},
        {"--report-format csv --fold-accents --token-sort --suggest-renames",
         [&](ConversionSettings& s) {
             s.reportFormat = ReportFormat::Csv;
             s.foldAccents = true;
             s.tokenSort = true;
             s.suggestRenamesPath = folder + QStringLiteral("/nomes.csv");
         }},
    };
    std::printf("| %lld names, threshold 80 | report s | time / plain |\n| --- | ---: | ---: |\n",
                qint64(names.size()));
    double plain = 0;
    for (const Variant& variant : variants) {
        ConversionSettings settings;
        settings.outputPath = folder + QStringLiteral("/rede");
        variant.set(settings);
        VertexLists lists(QLocale(), NetworkMode::OneMode, false, false);
        double best = 1e9;
        for (int k = 0; k < 3; ++k) {
            QElapsedTimer timer;
            timer.start();
            ReportNames reported {names, 1, std::vector<qint64>(size_t(names.size()), 1)};
            OutputFiles files;
            const auto groups = writeSimilarityReport(
                reported, settings,
                files.create(folder + QStringLiteral("/relatorio"), Replace::Allowed),
                !settings.suggestRenamesPath.isEmpty());
            (void)files.commit();
            best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
        }
        if (plain == 0)
            plain = best;
        std::printf("| %s | %.2f | %.2f |\n", variant.name, best, best / plain);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QStringLiteral("pt_BR")));
    const QStringList args = app.arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--budget"));
    const double budget = at >= 0 && at + 1 < args.size() ? args[at + 1].toDouble() : 4.0;
    QTemporaryDir folder;
    std::mt19937 random(2019);
    if (args.contains(QStringLiteral("--options")))
        return compareOptions(realisticNames(20000, random), folder.path());
    std::printf(
        "| names | threshold | pairs listed | plain loop s | report s | python Levenshtein s | "
        "plain / report | python / report | identical |\n");
    std::printf("| ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | --- |\n");
    bool allIdentical = true;
    for (const int n : {5000, 20000}) {
        const QStringList names = realisticNames(n, random);
        const double python = pythonLoop(names, budget, folder.path());
        for (const int threshold : {80, 0}) {
            QElapsedTimer timer;
            timer.start();
            urdiva::reference::writeFirstModeReport(names, threshold,
                                                    folder.filePath(QStringLiteral("rede")));
            const double report = double(timer.nsecsElapsed()) / 1e9;
            const QString reportPath = folder.filePath(QStringLiteral("Similaridade_rede.rtf"));
            const Partial written = plainLoop(names, threshold, budget);
            const double writtenAll = written.seconds / written.shareOfPairs;
            const bool identical =
                firstPairLines(reportPath, written.lines.size()) == written.lines;
            const qint64 listed = pairsListed(reportPath);
            QFile::remove(reportPath);
            allIdentical = allIdentical && identical;
            std::printf("| %d | %d | %lld | %.1f%s | %.2f | %s | %.0f | %s | %s |\n", n, threshold,
                        listed, writtenAll, written.shareOfPairs < 1 ? " (est.)" : "", report,
                        python < 0 ? "n/a"
                                   : qPrintable(QString::number(python, 'f', 1) +
                                                QStringLiteral(" (est.)")),
                        writtenAll / report,
                        python < 0 ? "n/a" : qPrintable(QString::number(python / report, 'f', 0)),
                        identical ? qPrintable(QStringLiteral("yes, %1 % of pairs checked")
                                                   .arg(100 * written.shareOfPairs, 0, 'f', 0))
                                  : "NO");
            std::fflush(stdout);
        }
    }
    return allIdentical ? 0 : 1;
}
