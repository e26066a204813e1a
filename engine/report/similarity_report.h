// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/atomic_file.h"
#include "engine/names/vertex_lists.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace urdiva {

// One mode's vertices, as the report compares them.
struct ReportNames {
    QStringList vertices; // normal forms, in the order of their numbers
    qsizetype firstNumber = 1; // the vertex number of the first
    std::vector<qint64> counts; // how often each is an end of a record, where counted
};

struct ReportOutcome {
    std::vector<std::vector<quint32>> groups;
    qsizetype namesLeftOut = 0; // longer than kLongestComparedText, once compared
};

// Writes the report of the names into `file`, streamed to it as pairs are measured. RTF:
// the title, a dash line, one line per pair of names whose similarity in percent reaches the
// threshold (in the order of the vertices), and the closing lines. CSV and HTML: the same pairs
// group by group (see NameGroups), with the vertex numbers and counts of both names. Names are
// compared as comparedText() makes them, by the settings. Gives the groups when `groups` is
// set or the format lists them.
ReportOutcome writeSimilarityReport(const ReportNames& names, const ConversionSettings& settings,
                                    AtomicFile& file, bool groups);

// Every report file the settings ask for: the first mode's, the second mode's (reportBothModes,
// "_segundo_modo" added to its name) and the rename table they suggest, each into the file that
// `create` makes for its path. `counts` are indexed by vertex number. Returns how many names
// were too long to be compared.
qsizetype writeSimilarityReports(const VertexLists& lists, const std::vector<qint64>& counts,
                                 const ConversionSettings& settings,
                                 const std::function<AtomicFile&(const QString& path)>& create);

} // namespace urdiva
