// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>

namespace urdiva {

// Which characters end a folder part. On Windows "\", "/" and ":" do (C:\d\rede.csv, C:/d/rede.csv,
// C:rede.csv); on POSIX systems only "/".
struct PathRules {
    QStringView separators;
    QChar folderSeparator;

    static PathRules windows();
    static PathRules posix();
    // The rules of the system the program runs on.
    static PathRules host();
};

// The file-name part of a path (after its last separator) without its extension, the extension
// being the text from the last "." of the file-name part.
QString withoutExtension(QStringView path, const PathRules& rules = PathRules::host());

// The extension of the file-name part, dot included; empty when it has no dot.
QString extensionOf(QStringView path, const PathRules& rules = PathRules::host());

// The folder part of a path: empty without a separator; the path before its last separator,
// unless that separator opens the path or follows another separator (or, on Windows, a drive
// colon), or is the drive colon, in which case the separator is kept: C:\d\rede.csv gives C:\d,
// C:\rede.csv gives C:\, C:rede.csv gives C:, /d/rede.csv gives /d and /rede.csv gives /.
QString folderOf(QStringView path, const PathRules& rules = PathRules::host());

// The output name proposed for a data file chosen at `when`: its folder, its base name, " - ",
// the time as DDMMYYYY_HHMMSS (24-hour clock) and ".net".
QString defaultOutputName(const QString& inputPath, const QDateTime& when,
                          const PathRules& rules = PathRules::host());

// The path the network file is written to: the format's extension (".net" unless another is
// given) is appended unless the path ends in exactly that extension.
QString finalOutputPath(const QString& outputPath, const PathRules& rules = PathRules::host(),
                        QStringView extension = u".net");

} // namespace urdiva
