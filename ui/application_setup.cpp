// SPDX-License-Identifier: MIT
#include "application_setup.h"

#include "engine/core/qt_texts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace urdiva::ui {
namespace {

class ReturnPressesButtons final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->isEnabled() || key->modifiers() & ~Qt::KeypadModifier ||
            (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
            return false;
        button->animateClick();
        return true;
    }
};

} // namespace

void setUpApplication(QApplication& application)
{
    QApplication::setApplicationName(QStringLiteral("Urdiva"));
    QApplication::setApplicationVersion(QStringLiteral(URDIVA_VERSION));
    installPortugueseQtTexts(application);
    application.installEventFilter(new ReturnPressesButtons(&application));
}

} // namespace urdiva::ui
