// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>

class QTextEdit;

namespace urdiva::ui {

// Shows each separator in the preview as its mark ("<;>", "<tab>"), in bold red, and the
// preview from its beginning.
void markSeparators(QTextEdit& preview, QChar separator);

} // namespace urdiva::ui
