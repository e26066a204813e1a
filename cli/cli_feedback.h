// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/run_feedback.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace urdiva::cli {

// Run feedback for a terminal: stages on standard error unless quiet (and, when standard error
// is a terminal, the records read so far, on a line of their own rewritten a few times a second),
// the overwrite question answered by --force, messages kept for the caller to print where they
// belong.
class CliFeedback final : public RunFeedback {
public:
    CliFeedback(bool force, bool quiet, bool decimalComma);
    ~CliFeedback() override;
    CliFeedback(const CliFeedback&) = delete;
    CliFeedback& operator=(const CliFeedback&) = delete;

    bool confirmOverwrite(const QString& finalPath) override;
    bool replaceAppearingFile() const override { return m_force; }
    void showStage(const QString& text) override;
    void showRecordsRead(qint64 records) override;
    void showQuotedLookingLine(qint64 line) override;
    void clearOutput() override { }
    void closeProgress() override { }
    void showSummary(const RunSummary& summary) override { m_summary = summary; }
    void showMessage(const QString& text) override { m_message = text; }
    void showKeptFile(const QString& path) override { m_keptFile = path; }

    const QString& message() const { return m_message; }
    const QString& keptFile() const { return m_keptFile; }
    // After a run: a line for each warning, then the summary.
    QStringList summaryLines() const;

private:
    void endProgressLine();

    bool m_force;
    bool m_quiet;
    bool m_terminal;
    bool m_progressShown = false;
    QElapsedTimer m_sinceProgress;
    bool m_decimalComma;
    RunSummary m_summary;
    QString m_message;
    QString m_keptFile;
};

} // namespace urdiva::cli
