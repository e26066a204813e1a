// SPDX-License-Identifier: MIT
// Times how long the output pane takes to show a large network file, against the conversion that
// wrote it: a run over DATA, then the main window's output pane shown the file.
// Usage: pane_bench DATA
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_feedback.h"
#include "lines_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace urdiva;

namespace {

class PaneFeedback final : public RunFeedback {
public:
    ui::LinesView pane;
    qint64 paneNanoseconds = 0;
    qsizetype lines = 0;

    bool confirmOverwrite(const QString&) override { return true; }
    void showStage(const QString&) override { }
    void clearOutput() override { pane.clear(); }
    void showSummary(const RunSummary& summary) override
    {
        QElapsedTimer timer;
        timer.start();
        pane.showFile(summary.networkPath);
        pane.viewport()->repaint();
        paneNanoseconds = timer.nsecsElapsed();
        lines = pane.lineCount();
    }
    void closeProgress() override { }
    void showMessage(const QString&) override { }
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: pane_bench DATA\n");
        return 2;
    }
    QTemporaryDir folder;
    PaneFeedback feedback;
    feedback.pane.resize(494, 105);
    feedback.pane.show();
    ConversionSettings settings;
    settings.inputPath = QString::fromLocal8Bit(argv[1]);
    settings.outputPath = folder.filePath(QStringLiteral("rede"));
    settings.valueColumn = 2;
    QElapsedTimer timer;
    timer.start();
    runConversion(settings, feedback);
    const double total = double(timer.nsecsElapsed()) / 1e9;
    const double pane = double(feedback.paneNanoseconds) / 1e9;
    std::printf("| network lines | whole run s | of which the pane s | pane / rest of the run |\n");
    std::printf("| ---: | ---: | ---: | ---: |\n");
    std::printf("| %lld | %.3f | %.3f | %.2f |\n", qint64(feedback.lines), total, pane,
                pane / (total - pane));
    return 0;
}
