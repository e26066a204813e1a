#include "network_writer.h"

#include "network_text.h"
#include "run_error.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace urdiva {

void writeFileAtomically(const QString& path, std::initializer_list<QByteArrayView> parts)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        throw RunError(QStringLiteral("Cannot create file \"%1\". %2")
                           .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                                file.errorString()));
    }
    for (const QByteArrayView part : parts) {
        if (file.write(part.data(), part.size()) != part.size())
            throw RunError(QStringLiteral("Failed to Save Stream"));
    }
    if (!file.commit())
        throw RunError(QStringLiteral("Failed to Save Stream"));
}

void writeNetworkFile(const QString& finalPath, const NetworkText& text)
{
    writeFileAtomically(finalPath, {QByteArrayView("\xEF\xBB\xBF"), text.utf8()});
}

} // namespace urdiva
