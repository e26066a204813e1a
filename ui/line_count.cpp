// SPDX-License-Identifier: MIT
#include "line_count.h"

#include "background_work.h"
#include "engine/io/input_preview.h"
#include "main_window_controls.h"

#include <QLabel>
#include <QThread>

namespace urdiva::ui {

LineCount::LineCount(QLabel* label, std::function<void(const QString&)> failed, QObject* parent)
    : QObject(parent)
    , m_label(label)
    , m_failed(std::move(failed))
{
}

LineCount::~LineCount()
{
    stop();
}

void LineCount::stop()
{
    m_stop->store(true);
    if (m_thread)
        m_thread->wait(); // soon: the count looks at the flag after each line
    m_thread.reset();
}

void LineCount::count(const QString& path, const QString& sheet)
{
    if (m_counted == QStringList {path, sheet})
        return;
    m_counted = QStringList {path, sheet};
    stop();
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_label->setText(kLineCountCaption + QStringLiteral("contando…"));
    const auto stopped = m_stop;
    const auto lines = std::make_shared<qint64>(0);
    m_thread = startInBackground(
        this, [path, sheet, stopped, lines] { *lines = countLines(path, sheet, *stopped); },
        [this, stopped, lines](const std::optional<Problem>& failure) {
            if (stopped->load())
                return; // another file was chosen meanwhile
            m_label->setText(kLineCountCaption +
                             (failure ? QStringLiteral("?") : QString::number(*lines)));
            if (failure)
                m_failed(failure->text);
        });
}

} // namespace urdiva::ui
