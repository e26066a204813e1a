// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QString>

class QLabel;
class QWidget;

namespace urdiva::ui {

// The black box without frame that shows a run's stage texts, centred over the main window.
// The run keeps the event loop waiting, so each text is painted at once, synchronously, after
// the pending paint and expose events (not the user's input) are handled.
class ProgressWindow {
public:
    explicit ProgressWindow(QWidget* over);
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void showStage(const QString& text);
    void close();

    // The open window, or null.
    QWidget* window() const { return m_window; }

private:
    void paintNow();

    QWidget* m_over;
    QPointer<QWidget> m_window;
    QLabel* m_label = nullptr;
};

} // namespace urdiva::ui
