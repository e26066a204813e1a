// SPDX-License-Identifier: MIT
#pragma once

#include "engine/conversion/settings_check.h"

#include <QString>

namespace urdiva::ui {

// A problem with the settings in the window's own words: the controls by their captions, with
// the tab each is on, and the "Avançado" tab's values as the remembered preferences they are.
QString windowText(const SettingsProblem& problem);

} // namespace urdiva::ui
