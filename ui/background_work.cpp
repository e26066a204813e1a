// SPDX-License-Identifier: MIT
#include "background_work.h"

#include "engine/core/run_error.h"

#include <QEventLoop>
#include <QPointer>
#include <QThread>

#include <exception>

namespace urdiva::ui {

void runWhileHandlingEvents(const std::function<void()>& work)
{
    std::exception_ptr failure;
    QEventLoop loop;
    QThread* thread = QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    thread->wait();
    delete thread;
    if (failure)
        std::rethrow_exception(failure);
}

std::unique_ptr<QThread>
startInBackground(QObject* context, const std::function<void()>& work,
                  const std::function<void(const std::optional<Problem>&)>& done)
{
    auto failure = std::make_shared<std::optional<Problem>>();
    std::unique_ptr<QThread> thread(QThread::create([work, failure] {
        try {
            work();
        } catch (...) {
            *failure = caughtFailureText();
        }
    }));
    QObject::connect(thread.get(), &QThread::finished, context,
                     [done, failure] { done(*failure); });
    thread->start();
    return thread;
}

FeedbackOnThreadOf::FeedbackOnThreadOf(QObject* context, RunFeedback& target)
    : m_context(context)
    , m_target(target)
{
}

void FeedbackOnThreadOf::onContextThread(const std::function<void()>& call) const
{
    if (QThread::currentThread() == m_context->thread()) {
        call();
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        m_context,
        [&] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

bool FeedbackOnThreadOf::confirmOverwrite(const QString& path)
{
    bool answer = false;
    onContextThread([&] { answer = m_target.confirmOverwrite(path); });
    return answer;
}

bool FeedbackOnThreadOf::replaceAppearingFile() const
{
    bool answer = false;
    onContextThread([&] { answer = m_target.replaceAppearingFile(); });
    return answer;
}

void FeedbackOnThreadOf::showKeptFile(const QString& path)
{
    onContextThread([&] { m_target.showKeptFile(path); });
}

void FeedbackOnThreadOf::showStage(const QString& text)
{
    onContextThread([&] { m_target.showStage(text); });
}

void FeedbackOnThreadOf::showRecordsRead(qint64 records)
{
    onContextThread([&] { m_target.showRecordsRead(records); });
}

void FeedbackOnThreadOf::showQuotedLookingLine(qint64 line)
{
    onContextThread([&] { m_target.showQuotedLookingLine(line); });
}

void FeedbackOnThreadOf::clearOutput()
{
    onContextThread([&] { m_target.clearOutput(); });
}

void FeedbackOnThreadOf::closeProgress()
{
    onContextThread([&] { m_target.closeProgress(); });
}

void FeedbackOnThreadOf::showSummary(const RunSummary& summary)
{
    onContextThread([&] { m_target.showSummary(summary); });
}

void FeedbackOnThreadOf::showMessage(const QString& text)
{
    onContextThread([&] { m_target.showMessage(text); });
}

} // namespace urdiva::ui
