// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QScopeGuard>

class QWidget;

namespace urdiva::ui {

// Holds back the user's input to a window (clicks, keys, the wheel, shortcuts, drops) while the
// window works off its own thread: the window goes on painting itself and answering a screen
// reader, but nothing the user does reaches it until the work ends. A box the work asks with is
// a window of its own, and takes the input.
class InputHold final : public QObject {
public:
    explicit InputHold(QWidget* window);

    bool isHeld() const { return m_holds > 0; }
    // Holds the input until the returned guard ends; holds nest.
    [[nodiscard]] auto hold()
    {
        ++m_holds;
        return qScopeGuard([this] { --m_holds; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    int m_holds = 0;
};

} // namespace urdiva::ui
