// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/run_feedback.h"

#include <QStringList>

#include <functional>

class QTextEdit;
class QWidget;

namespace urdiva::ui {

class Dialogs;
class LinesView;
class ProgressWindow;

// Shows what a run did in the summary pane: the summary first, then each warning.
void showRunNotes(QTextEdit& pane, const QStringList& warnings, const QString& summary);

// The run's channel to the main window: questions and messages in boxes over `window`, stages
// in the progress window, the network written in the network pane, the summary and warnings in
// the summary pane.
class WindowFeedback final : public RunFeedback {
public:
    struct Panes {
        LinesView& network;
        QTextEdit& summary;
    };
    // `stageShown` hears each stage text once the progress window shows it. With `decimalComma`
    // off, a warning about weights that are not numbers suggests the option.
    WindowFeedback(QWidget& window, Dialogs& dialogs, ProgressWindow& progress, Panes panes,
                   bool decimalComma, std::function<void(const QString&)> stageShown);

    bool confirmOverwrite(const QString& path) override;
    void showKeptFile(const QString& path) override;
    void showStage(const QString& text) override;
    void clearOutput() override;
    void showQuotedLookingLine(qint64 line) override;
    void closeProgress() override;
    void showSummary(const RunSummary& summary) override;
    void showMessage(const QString& text) override;

private:
    QWidget& m_window;
    Dialogs& m_dialogs;
    ProgressWindow& m_progress;
    Panes m_panes;
    bool m_decimalComma;
    std::function<void(const QString&)> m_stageShown;
    QStringList m_warnings;
};

} // namespace urdiva::ui
