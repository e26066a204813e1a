#include "Unit2.h"

namespace urdiva::ui {

Tinfo::Tinfo(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("info"));
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(488, 480);
}

} // namespace urdiva::ui
