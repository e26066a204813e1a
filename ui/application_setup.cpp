#include "application_setup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

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
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_pt_BR"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    else
        delete translator;
    application.installEventFilter(new ReturnPressesButtons(&application));
}

} // namespace urdiva::ui
