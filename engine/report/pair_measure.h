// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QStringList>

#include <functional>

namespace urdiva {

// Measures every pair of the printed names (the earlier first) on every core, and hands the
// RTF pair lines of those whose similarity in percent reaches the threshold to `write`, one
// name's row at a time and in row order, keeping only a bounded window of rows in memory.
// Returns the number of pairs listed. A failure on any thread is raised here.
qint64 measureSimilarPairs(const QStringList& names, int threshold, const QLocale& locale,
                           const std::function<void(const QByteArray&)>& write);

} // namespace urdiva
