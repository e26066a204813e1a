// SPDX-License-Identifier: MIT
// A whole run on an arbitrary file: either a well-formed network (the count line, then every
// edge number within 1..N) or one of the run's own errors; never a crash.
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_error.h"
#include "fuzz_support.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

namespace {

class Quiet final : public urdiva::RunFeedback {
public:
    QString text;
    bool confirmOverwrite(const QString&) override { return true; }
    void showStage(const QString&) override { }
    void clearOutput() override { }
    void showSummary(const urdiva::RunSummary& summary) override
    {
        QFile file(summary.networkPath);
        if (!file.open(QIODevice::ReadOnly))
            return;
        text = QString::fromUtf8(file.readAll()).remove(u'\r').remove(QChar(0xFEFF));
        if (text.endsWith(u'\n'))
            text.chop(1);
    }
    void closeProgress() override { }
    void showMessage(const QString&) override { }
};

bool knownError(const QString& message)
{
    return message.startsWith(QStringLiteral("List index out of bounds (")) ||
           message.startsWith(QStringLiteral("Cannot create file")) ||
           message.startsWith(QStringLiteral("O peso \""));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t a = input.byte();
    const uint8_t b = input.byte();
    const uint8_t c = input.byte(); // the link options
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("dados.csv"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    const QByteArrayView rest = input.rest();
    file.write(rest.data(), rest.size());
    file.close();
    urdiva::ConversionSettings settings;
    settings.inputPath = path;
    settings.outputPath = folder.filePath(QStringLiteral("rede"));
    settings.separator = QChar(u";,\t| "[a % 5]);
    settings.firstColumn = (a >> 3) % 3;
    settings.secondColumn = (a >> 5) % 3;
    if (b & 1)
        settings.valueColumn = (b >> 1) % 3;
    settings.mode = b & 8 ? urdiva::NetworkMode::TwoMode : urdiva::NetworkMode::OneMode;
    settings.directed = b & 16;
    settings.headerLines = (b >> 5) % 6;
    settings.sortAscending = a & 1;
    settings.caseSensitive = a & 2;
    if (c & 1)
        settings.cellSeparator = u'/';
    settings.cooccur = (c & 2) && settings.cellSeparator && !settings.directed &&
                       settings.mode == urdiva::NetworkMode::OneMode;
    settings.merge = urdiva::MergeRule((c >> 2) % 5);
    if (!settings.valueColumn && settings.merge != urdiva::MergeRule::Count)
        settings.merge = urdiva::MergeRule::None;
    if ((c & 32) && settings.mode == urdiva::NetworkMode::TwoMode && !settings.directed &&
        !settings.valueColumn && settings.merge == urdiva::MergeRule::None)
        settings.projection =
            c & 64 ? urdiva::Projection::SecondMode : urdiva::Projection::FirstMode;
    Quiet feedback;
    try {
        FUZZ_CHECK(urdiva::runConversion(settings, feedback) == urdiva::RunOutcome::Written);
    } catch (const urdiva::RunError& e) {
        FUZZ_CHECK(knownError(e.message()));
        return 0;
    }
    const QStringList lines = feedback.text.split(u'\n');
    FUZZ_CHECK(lines.first().startsWith(QStringLiteral("*Vertices ")));
    const int vertices = lines.first().section(u' ', 1, 1).toInt();
    const qsizetype kind =
        lines.indexOf(settings.directed ? QStringLiteral("*Arcs") : QStringLiteral("*Edges"));
    if (settings.merge != urdiva::MergeRule::None ||
        settings.projection != urdiva::Projection::None) {
        // One line per link at most.
        QSet<QString> links;
        for (qsizetype k = kind + 1; k < lines.size(); ++k) {
            QStringList ends = lines[k].split(u' ').mid(0, 2);
            if (!settings.directed && ends.size() == 2 && ends[0].toInt() > ends[1].toInt())
                ends.swapItemsAt(0, 1);
            FUZZ_CHECK(!links.contains(ends.join(u' ')));
            links.insert(ends.join(u' '));
        }
    }
    FUZZ_CHECK(kind == vertices + 1);
    for (qsizetype k = kind + 1; k < lines.size(); ++k) {
        const QStringList parts = lines[k].split(u' ');
        FUZZ_CHECK(parts.size() >= 2);
        for (int end = 0; end < 2; ++end) {
            bool ok = false;
            const int number = parts[end].toInt(&ok);
            FUZZ_CHECK(ok && number >= 1 && number <= vertices);
        }
    }
    return 0;
}
