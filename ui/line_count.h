// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QThread;

namespace urdiva::ui {

// The line count the input tab shows: once for each file (and sheet) chosen, off the window's
// thread, since a large file takes seconds to read. A count under way is stopped when another
// begins and when the count goes.
class LineCount final : public QObject {
public:
    // `label` shows the count after its caption; `failed` hears a count's failure.
    LineCount(QLabel* label, std::function<void(const QString&)> failed, QObject* parent);
    ~LineCount() override;

    // Counts the lines of the file (its sheet's, for a workbook), unless they are counted already.
    void count(const QString& path, const QString& sheet);
    // The next count() counts again, the file perhaps changed.
    void forget() { m_counted.clear(); }

private:
    void stop();

    QLabel* m_label;
    std::function<void(const QString&)> m_failed;
    QStringList m_counted; // the file and sheet counted, or being counted
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<QThread> m_thread;
};

} // namespace urdiva::ui
