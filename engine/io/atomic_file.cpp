// SPDX-License-Identifier: MIT
#include "engine/io/atomic_file.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/native_file.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace urdiva {
namespace {

[[noreturn]] void cannotCreate(const QString& path, const QString& reason)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    throw RunError(QStringLiteral("Cannot create file \"%1\". %2").arg(shown, reason), shown);
}

QString systemReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

} // namespace

void checkOutputTarget(const QString& path)
{
    const native::PathKind kind = native::pathKind(path);
    if (kind == native::PathKind::Directory)
        cannotCreate(path, systemReason(EISDIR));
    if (kind == native::PathKind::Other)
        cannotCreate(path, QStringLiteral("Not a regular file"));
    if (native::nameTooLong(path))
        cannotCreate(path, systemReason(ENAMETOOLONG));
}

AtomicFile::AtomicFile(const QString& path, Replace replace)
    : m_path(path)
    , m_replace(replace)
    , m_replacing(path)
    , m_fresh(QFileInfo(path).absolutePath() + QStringLiteral("/.urdiva-XXXXXX"))
{
    checkOutputTarget(path);
    if (m_replace == Replace::Allowed) {
        if (!m_replacing.open(QIODevice::WriteOnly))
            cannotCreate(path, m_replacing.errorString());
        return;
    }
    if (!m_fresh.open())
        cannotCreate(path, m_fresh.errorString());
    // A temporary file is private to its owner; the network is not.
    if (!native::shareAsNewFile(m_fresh.handle()))
        cannotCreate(path, systemReason(errno));
}

QFileDevice& AtomicFile::device()
{
    if (m_replace == Replace::Allowed)
        return m_replacing;
    return m_fresh;
}

void AtomicFile::failedToSave(const QString& reason) const
{
    throw RunError(messages::failedToSaveStream(reason), m_path);
}

void AtomicFile::write(QByteArrayView bytes)
{
    if (device().write(bytes.data(), bytes.size()) != bytes.size())
        failedToSave(systemReason(errno));
}

void AtomicFile::finish()
{
    if (m_finished)
        return;
    // The system's reason: Qt's own text for a failed write says only that it failed.
    if (!device().flush())
        failedToSave(systemReason(errno));
    // On the disk before it has a name, as QSaveFile's commit does for the other path: a crash
    // right after the rename must not leave an empty network behind.
    if (m_replace == Replace::Never && !native::syncData(m_fresh.handle()))
        failedToSave(systemReason(errno));
    m_finished = true;
}

bool AtomicFile::blocked() const
{
    return m_replace == Replace::Never &&
           (QFileInfo(m_path).exists() || QFileInfo(m_path).isSymLink());
}

bool AtomicFile::commit()
{
    finish();
    if (m_replace == Replace::Allowed) {
        // Something other than a regular file may have taken the path meanwhile.
        checkOutputTarget(m_path);
        if (!m_replacing.commit())
            failedToSave(m_replacing.errorString());
        return true;
    }
    // Put in place only where nothing is: the rename never replaces a file.
    if (m_fresh.rename(m_path)) {
        m_fresh.setAutoRemove(false);
        return true;
    }
    if (blocked())
        return false;
    failedToSave(m_fresh.errorString());
}

AtomicFile& OutputFiles::create(const QString& path, Replace replace)
{
    return *m_files.emplace_back(std::make_unique<AtomicFile>(path, replace));
}

bool OutputFiles::commit()
{
    for (const auto& file : m_files)
        file->finish();
    for (const auto& file : m_files) {
        if (file->blocked()) {
            m_blocked = file->path();
            return false;
        }
    }
    for (auto file = m_files.rbegin(); file != m_files.rend(); ++file) {
        if (!(*file)->commit()) {
            m_blocked = (*file)->path();
            return false;
        }
    }
    return true;
}

} // namespace urdiva
