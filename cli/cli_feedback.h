#pragma once

#include "engine/run/run_feedback.h"

#include <QString>

namespace urdiva::cli {

// Run feedback for a terminal: stages on standard error unless quiet, the overwrite question
// answered by --force, messages kept for the caller to print where they belong.
class CliFeedback final : public RunFeedback {
public:
    CliFeedback(bool force, bool quiet);

    bool confirmOverwrite(const QString& finalPath) override;
    bool replaceAppearingFile() const override { return m_force; }
    void showStage(const QString& text) override;
    void clearOutput() override { }
    void showOutput(const NetworkText&) override { }
    void closeProgress() override { }
    void showMessage(const QString& text) override { m_message = text; }

    const QString& message() const { return m_message; }

private:
    bool m_force;
    bool m_quiet;
    QString m_message;
};

} // namespace urdiva::cli
