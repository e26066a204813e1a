// SPDX-License-Identifier: MIT
#include "input_hold.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace urdiva::ui {

InputHold::InputHold(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

bool InputHold::eventFilter(QObject* watched, QEvent* event)
{
    if (!isHeld() || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace urdiva::ui
