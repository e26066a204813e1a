// SPDX-License-Identifier: MIT
#pragma once

class QApplication;

namespace urdiva::ui {

// What the application sets up before its windows are made, shared by the program and the
// tests that drive its windows:
// - its name, and no display name, which the platform would append to every caption;
// - Qt's own Brazilian Portuguese translations, so that standard buttons and dialogs speak the
//   language of the rest of the program ("Sim", "Não", "Abrir", "Cancelar"); without them
//   installed, those texts stay in English;
// - Return and Enter press the push button that has the keyboard focus, in every window, as
//   Space does: what users of these windows' home platform expect.
void setUpApplication(QApplication& application);

} // namespace urdiva::ui
