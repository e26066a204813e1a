#pragma once

#include <QFont>

namespace urdiva::ui {

// The window fonts, with metric-compatible stand-ins where the Windows faces are missing, and
// the platform's interface font as the last resort.
QFont dialogFont(int points = 8); // "MS Sans Serif"
QFont monospaceFont(int points = 10); // "Courier New"
QFont tahomaFont(int points); // "Tahoma"

} // namespace urdiva::ui
