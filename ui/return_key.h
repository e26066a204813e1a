#pragma once

class QApplication;

namespace urdiva::ui {

// Return and Enter press the push button that has the keyboard focus, in every window, as
// Space does: what users of these windows' home platform expect.
void letReturnPressButtons(QApplication& application);

} // namespace urdiva::ui
