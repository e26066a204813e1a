#include "network_writer.h"

#include "network_text.h"
#include "run_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace urdiva {

void writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw RunError(QStringLiteral("Cannot create file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw RunError(QStringLiteral("Failed to Save Stream"));
}

void writeNetworkFile(const QString& finalPath, const NetworkText& text)
{
    writeFileAtomically(finalPath, text.fileBytes());
}

} // namespace urdiva
