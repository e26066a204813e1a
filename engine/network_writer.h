#pragma once

#include <QByteArray>
#include <QString>

namespace urdiva {

class NetworkText;

// Writes the bytes to the path all at once: the file is written beside the target and renamed
// over it only when complete, so a failure never leaves a truncated file nor destroys the one
// that was there. Raises RunError with "Cannot create file "path". reason" when the file cannot
// be created and "Failed to Save Stream" when writing it fails.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// The network file at the final output path.
void writeNetworkFile(const QString& finalPath, const NetworkText& text);

} // namespace urdiva
