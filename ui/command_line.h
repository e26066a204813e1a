// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace urdiva::ui {

// What `urdiva --help` or `urdiva --version` prints on the terminal, before any window (or
// display) is needed; nothing for any other command line.
std::optional<QString> terminalAnswer(int argc, char* argv[]);
// Prints the answer on standard output: on Windows, where the program has no console of its own,
// in the console it was started from, unless its output already goes to a file or a pipe.
void printOnTerminal(const QString& answer);

// The data file given on the command line (`urdiva dados.csv`, as a file manager's "Open with"
// starts it), as an absolute path in the platform's form: the first argument after the
// program's that is not an option. Qt's own options are gone from QApplication::arguments().
std::optional<QString> fileArgument(const QStringList& arguments);

} // namespace urdiva::ui
