// SPDX-License-Identifier: MIT
#pragma once

#include "engine/names/suppression.h"

#include <QString>

#include <optional>

namespace urdiva {

enum class NetworkMode { OneMode, TwoMode };

// Everything one conversion run needs to know; filled before the run starts and never changed by
// it. Column indexes are 0-based and may be out of range: the run reports that per record line.
struct ConversionSettings {
    QString inputPath;
    QString outputPath;
    QChar separator = u';';
    qint32 firstColumn = 0;
    qint32 secondColumn = 1;
    std::optional<qint32> valueColumn;
    NetworkMode mode = NetworkMode::OneMode;
    bool directed = false;
    int headerLines = 0;
    SuppressionRule suppression;
    bool caseSensitive = false;
    bool sortAscending = false;
    bool similarityReport = false;
    int similarityThreshold = 80;
    // Options of the command line; the window keeps their defaults.
    bool byteOrderMark = true; // the network file starts with the UTF-8 byte-order mark
    bool toStandardOutput = false; // the network goes to standard output, not to outputPath
    bool quotedFields = false; // fields may be quoted (RFC 4180)
    bool decimalComma = false; // weights like 1.234,5 are written 1234.5
};

} // namespace urdiva
