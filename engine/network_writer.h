#pragma once

#include <QByteArrayView>
#include <QString>

#include <initializer_list>

namespace urdiva {

class NetworkText;

// Writes the parts, one after the other, to the path all at once: the file is written beside the
// target and renamed over it only when complete, so a failure never leaves a truncated file nor
// destroys the one that was there. Raises RunError with "Cannot create file "path". reason" when
// the file cannot be created and "Failed to Save Stream" when writing it fails.
void writeFileAtomically(const QString& path, std::initializer_list<QByteArrayView> parts);

// The network file at the final output path: the UTF-8 byte-order mark, then the text.
void writeNetworkFile(const QString& finalPath, const NetworkText& text);

} // namespace urdiva
