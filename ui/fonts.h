// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace urdiva::ui {

// The window fonts, with metric-compatible stand-ins where the Windows faces are missing, and
// the platform's interface font as the last resort.
QFont dialogFont(int points = 8); // "MS Sans Serif"
QFont monospaceFont(int points = 10); // "Courier New"
QFont tahomaFont(int points); // "Tahoma"
// The bold forms. Neither Windows face loaded here draws bold (MS Sans Serif is a bitmap face
// that cannot be emboldened, and the Tahoma Bold file draws as its regular), so bold text takes
// the nearest face that has a real bold.
QFont boldDialogFont(int points = 8);
QFont boldTahomaFont(int points);

} // namespace urdiva::ui
