// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/problem.h"
#include "engine/core/run_feedback.h"

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>

namespace urdiva::ui {

// The window's one way to work off its own thread, so that it goes on painting itself and
// answering (a screen reader among others) while the work goes on.

// Runs `work` on a thread of its own while this thread goes on handling its events, and returns
// when the work is done; what it raised is raised here.
void runWhileHandlingEvents(const std::function<void()>& work);

// Starts `work` on a thread of its own and returns at once; `done` runs on the thread of
// `context` once the work is over, unless `context` is gone by then. A failure of the work is
// handed to `done` as a problem in the error box's words; nothing when it succeeded. The caller
// owns the thread, and lets it go only once it has finished (see QThread::wait).
std::unique_ptr<QThread>
startInBackground(QObject* context, const std::function<void()>& work,
                  const std::function<void(const std::optional<Problem>&)>& done);

// A run's feedback called from the run's thread and carried out on the thread of `context`
// (the window's), each call waiting for its answer, in order.
class FeedbackOnThreadOf final : public RunFeedback {
public:
    FeedbackOnThreadOf(QObject* context, RunFeedback& target);

    bool confirmOverwrite(const QString& path) override;
    bool replaceAppearingFile() const override;
    void showKeptFile(const QString& path) override;
    void showStage(const QString& text) override;
    void showRecordsRead(qint64 records) override;
    void showQuotedLookingLine(qint64 line) override;
    void clearOutput() override;
    void closeProgress() override;
    void showSummary(const RunSummary& summary) override;
    void showMessage(const QString& text) override;

private:
    // Runs the call on the context's thread and waits for it; what it raised is raised here.
    void onContextThread(const std::function<void()>& call) const;

    QObject* m_context;
    RunFeedback& m_target;
};

} // namespace urdiva::ui
