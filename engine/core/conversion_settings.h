// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/strip_rule.h"

#include <QString>

#include <optional>
#include <vector>

namespace urdiva {

enum class NetworkMode { OneMode, TwoMode };

// How records that give the same link become one edge line: none (a line per record), or one
// line whose weight is the sum, the number of records, the largest or the first weight.
enum class MergeRule { None, Sum, Count, Max, First };
// The one-mode network of one mode of a two-mode network: two of its vertices are linked when
// they share vertices of the other mode, weighted by how many they share.
enum class Projection { None, FirstMode, SecondMode };
enum class NetworkFormat { Pajek, GraphML, Gexf, Csv };
enum class ReportFormat { Rtf, Csv, Html };

// The similarity threshold, in percent, and the header lines a run skips: their ranges and the
// threshold's default. The settings check holds a run to them.
inline constexpr int kLeastThreshold = 0;
inline constexpr int kMostThreshold = 100;
inline constexpr int kDefaultThreshold = 80;
inline constexpr int kMostHeaderLines = 5;

// Everything one conversion run needs to know; filled before the run starts and never changed by
// it. Column indexes are 0-based and may be out of range: the run reports that per record line.
struct ConversionSettings {
    QString inputPath;
    QString outputPath;
    // The sheet of a workbook (.xlsx, .ods): its name, or its number from 1; empty: the first.
    QString sheet;
    QChar separator = u';';
    qint32 firstColumn = 0;
    qint32 secondColumn = 1;
    std::optional<qint32> valueColumn;
    NetworkMode mode = NetworkMode::OneMode;
    bool directed = false;
    int headerLines = 0;
    StripRule strip;
    bool caseSensitive = false;
    bool sortAscending = false;
    bool similarityReport = false;
    int similarityThreshold = kDefaultThreshold;
    // Options beyond the first tabs: on the command line, and in the window's "Avançado" tab.
    bool byteOrderMark = true; // the network file starts with the UTF-8 byte-order mark
    bool toStandardOutput = false; // the network goes to standard output, not to outputPath
    bool quotedFields = false; // fields may be quoted (RFC 4180)
    bool decimalComma = false; // weights like 1.234,5 are written 1234.5
    MergeRule merge = MergeRule::None;
    // An end field may list several names separated by this character; a record links every
    // name of its first end to every name of its second end.
    std::optional<QChar> cellSeparator;
    // The names listed in the first column's cell are linked pairwise (one mode, undirected);
    // the second column is not read.
    bool cooccur = false;
    Projection projection = Projection::None;
    NetworkFormat format = NetworkFormat::Pajek;
    // The similar-vertex report: its format, and how names are compared (without diacritics,
    // with their words sorted and punctuation dropped), whether the second mode's names get a
    // report too, and where the rename table it suggests goes (empty: nowhere).
    ReportFormat reportFormat = ReportFormat::Rtf;
    bool foldAccents = false;
    bool tokenSort = false;
    bool reportBothModes = false;
    QString suggestRenamesPath;
    // A table of names and the names they are to be read as, applied to every end field after
    // stripping (empty: none).
    QString renamePath;
    // Vertex attributes: columns whose texts describe the vertex of a record's first column (the
    // first mode's, in two-mode) and of its second column. A vertex keeps the most frequent
    // non-empty value it was given, the first seen among as frequent ones.
    std::vector<qint32> attributeColumns;
    std::vector<qint32> secondAttributeColumns;
    // A column of years or dates: each link carries the times of its records (merged per time),
    // each vertex is present from its first time to its last.
    std::optional<qint32> timeColumn;
};

} // namespace urdiva
