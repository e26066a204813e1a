// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"

#include <QStringList>

#include <optional>

namespace urdiva::ui {

struct MainWindowControls;
enum class SeparatorItem;

// The separator an item of the "Separador" group stands for; none for "outro" while its box is
// empty or holds a blank (a space or a control character).
std::optional<QChar> separatorOf(SeparatorItem item, const QString& otherText);

// The columns picked in the output tab, by their place in the first record; -1 for none.
struct ColumnChoice {
    int first = 0;
    int second = 0;
    int value = 0;
};

// An output name ending in one format's extension, given the other's instead.
QString withFormatExtension(const QString& path, NetworkFormat from, NetworkFormat to);

// The settings the window's controls give a run of the file analysed, cut at `separator`.
ConversionSettings settingsFromControls(const MainWindowControls& controls,
                                        const QString& analysedPath, std::optional<QChar> separator,
                                        const ColumnChoice& columns);

// Lists a file's column names in the three column pick lists. `valueItem` is the value list's
// item to show: -1 none, 0 its blank first item (no value column), otherwise column valueItem-1.
void listColumns(const MainWindowControls& controls, const QStringList& names,
                 const ColumnChoice& columns, int valueItem);

// The options as a file newly chosen finds them: nothing picked, every box cleared, the default
// similarity threshold. The "Avançado" tab's preferences stay.
void resetOptions(const MainWindowControls& controls);

} // namespace urdiva::ui
