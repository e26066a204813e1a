// SPDX-License-Identifier: MIT
#include "engine/io/zip_archive.h"

#include "engine/core/messages.h"
#include "engine/core/parallel.h"
#include "engine/core/run_error.h"
#include "engine/io/file_errors.h"
#include "engine/io/native_file.h"

#include <QFile>

#include <unzip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace urdiva {
namespace {

// minizip's file functions over QFile.
voidpf openFile(voidpf, const void* name, int mode)
{
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    auto file = std::make_unique<QFile>(*static_cast<const QString*>(name));
    return file->open(QIODevice::ReadOnly) ? file.release() : nullptr;
}

uLong readFile(voidpf, voidpf stream, void* buffer, uLong size)
{
    const qint64 got = static_cast<QFile*>(stream)->read(static_cast<char*>(buffer), qint64(size));
    return got < 0 ? 0 : uLong(got);
}

uLong writeFile(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T tellFile(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<QFile*>(stream)->pos());
}

long seekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto* file = static_cast<QFile*>(stream);
    qint64 to = qint64(offset);
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        to += file->pos();
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        to += file->size();
    return file->seek(to) ? 0 : -1;
}

int closeFile(voidpf, voidpf stream)
{
    delete static_cast<QFile*>(stream);
    return 0;
}

int fileError(voidpf, voidpf stream)
{
    return static_cast<QFile*>(stream)->error() == QFileDevice::NoError ? 0 : 1;
}

} // namespace

// An entry inflated as it is read, on a thread of its own a few blocks ahead of its reader: the
// reader (a sheet's XML) has work enough of its own.
class ZipArchive::EntryDevice final : public QIODevice {
public:
    explicit EntryDevice(ZipArchive& archive)
        : m_archive(archive)
    {
        QIODevice::open(QIODevice::ReadOnly);
    }
    ~EntryDevice() override
    {
        m_ahead.reset();
        if (!m_closed)
            unzCloseCurrentFile(m_archive.m_zip);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* to, qint64 most) override
    {
        if (!m_ahead)
            m_ahead.emplace(kBlocks, [this](size_t k) { return inflate(m_blocks[k]); });
        while (m_taken == m_block.size()) {
            const std::optional<size_t> next = m_ahead->next();
            if (!next)
                return -1;
            m_block = m_blocks[*next];
            m_taken = 0;
        }
        const qint64 size = std::min(most, qint64(m_block.size() - m_taken));
        std::memcpy(to, m_block.data() + m_taken, size_t(size));
        m_taken += size_t(size);
        return size;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    static constexpr size_t kBlocks = 3;
    static constexpr unsigned kBlockBytes = 1u << 18;

    // The next block; whether more come. At the end, the entry's checksum is checked as it is
    // closed.
    bool inflate(std::vector<char>& block)
    {
        block.resize(kBlockBytes);
        const int got = unzReadCurrentFile(m_archive.m_zip, block.data(), kBlockBytes);
        if (got < 0)
            m_archive.fail();
        block.resize(size_t(got));
        if (got > 0)
            return true;
        m_closed = true;
        if (unzCloseCurrentFile(m_archive.m_zip) != UNZ_OK)
            m_archive.fail();
        return false;
    }

    ZipArchive& m_archive;
    bool m_closed = false;
    std::vector<char> m_blocks[kBlocks];
    std::span<const char> m_block;
    size_t m_taken = 0;
    std::optional<ProducedAhead> m_ahead;
};

ZipArchive::ZipArchive(const QString& path)
    : m_path(path)
{
    zlib_filefunc64_def functions {openFile, readFile,  writeFile, tellFile,
                                   seekFile, closeFile, fileError, nullptr};
    // The file's own errors first, in the words every data file's have.
    const int fd = native::openToRead(path);
    if (fd < 0)
        throw RunError(inputFileErrorText(errno, path), path);
    const bool folder = native::isDirectory(fd);
    native::closeFile(fd);
    if (folder)
        throw RunError(inputFileErrorText(EISDIR, path), path);
    m_zip = unzOpen2_64(&m_path, &functions);
    if (!m_zip)
        fail();
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        unzClose(m_zip);
}

void ZipArchive::fail() const
{
    throw RunError(messages::workbookDamaged(), m_path);
}

bool ZipArchive::contains(const QString& entry)
{
    return unzLocateFile(m_zip, entry.toUtf8().constData(), 1) == UNZ_OK;
}

void ZipArchive::locate(const QString& entry)
{
    if (!contains(entry) || unzOpenCurrentFile(m_zip) != UNZ_OK)
        fail();
}

QByteArray ZipArchive::read(const QString& entry)
{
    const std::unique_ptr<QIODevice> device = open(entry);
    QByteArray bytes;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = device->read(buffer, sizeof buffer);
        if (got <= 0)
            return bytes;
        bytes.append(buffer, got);
    }
}

std::unique_ptr<QIODevice> ZipArchive::open(const QString& entry)
{
    locate(entry);
    return std::make_unique<EntryDevice>(*this);
}

} // namespace urdiva
