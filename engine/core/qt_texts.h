// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

namespace urdiva {

// Qt's own texts (standard buttons and dialogs, the command-line parser's help and errors) in
// Brazilian Portuguese, as the rest of the program speaks, where Qt's translations are installed.
void installPortugueseQtTexts(QCoreApplication& application);

} // namespace urdiva
