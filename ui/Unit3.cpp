#include "Unit3.h"

namespace urdiva::ui {

TForm3::TForm3(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Urdiva"));
}

} // namespace urdiva::ui
