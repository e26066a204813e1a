// SPDX-License-Identifier: MIT
#include "engine/io/native_file.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace urdiva::native {

#ifdef _WIN32

int openToRead(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0))) {
        errno = path.isEmpty() ? ENOENT : EINVAL;
        return -1;
    }
    return ::_wopen(reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDONLY | _O_BINARY);
}

long long readSome(int fd, char* buffer, size_t size)
{
    const unsigned chunk = size > (1u << 30) ? (1u << 30) : unsigned(size);
    return ::_read(fd, buffer, chunk);
}

bool isDirectory(int fd)
{
    struct _stat64 st { };
    return ::_fstat64(fd, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFDIR;
}

void closeFile(int fd)
{
    ::_close(fd);
}

PathKind pathKind(const QString& path)
{
    struct _stat64 st { };
    if (::_wstat64(reinterpret_cast<const wchar_t*>(path.utf16()), &st) != 0)
        return PathKind::Missing;
    switch (st.st_mode & _S_IFMT) {
    case _S_IFREG:
        return PathKind::Regular;
    case _S_IFDIR:
        return PathKind::Directory;
    default:
        return PathKind::Other;
    }
}

bool nameTooLong(const QString& path)
{
    return QFileInfo(path).fileName().size() > 255;
}

bool sameExistingFile(const QString& a, const QString& b)
{
    // Windows' file systems ignore letter case; the canonical paths resolve links.
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() &&
           first.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
}

bool isTerminal(int fd)
{
    return ::_isatty(fd) != 0;
}

void useBinaryMode(int fd)
{
    ::_setmode(fd, _O_BINARY);
}

void useUtf8Console()
{
    SetConsoleOutputCP(CP_UTF8);
}

bool syncData(int handle)
{
    return ::_commit(handle) == 0;
}

bool shareAsNewFile(int)
{
    return true;
}

#else

int openToRead(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty() || name.contains('\0')) {
        errno = path.isEmpty() ? ENOENT : EINVAL;
        return -1;
    }
    int fd;
    do {
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

long long readSome(int fd, char* buffer, size_t size)
{
    ssize_t got;
    do {
        got = ::read(fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool isDirectory(int fd)
{
    struct stat st { };
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

void closeFile(int fd)
{
    ::close(fd);
}

PathKind pathKind(const QString& path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return PathKind::Missing;
    if (S_ISREG(st.st_mode))
        return PathKind::Regular;
    return S_ISDIR(st.st_mode) ? PathKind::Directory : PathKind::Other;
}

bool nameTooLong(const QString& path)
{
    const QFileInfo info(path);
    const long longest =
        ::pathconf(QFile::encodeName(info.absolutePath()).constData(), _PC_NAME_MAX);
    return longest > 0 && QFile::encodeName(info.fileName()).size() > longest;
}

bool sameExistingFile(const QString& a, const QString& b)
{
    struct stat first { };
    struct stat second { };
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool isTerminal(int fd)
{
    return ::isatty(fd) == 1;
}

void useBinaryMode(int) { }

void useUtf8Console() { }

bool syncData(int handle)
{
#if defined(__APPLE__)
    return ::fsync(handle) == 0;
#else
    return ::fdatasync(handle) == 0;
#endif
}

bool shareAsNewFile(int handle)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(handle, 0666 & ~mask) == 0;
}

#endif

} // namespace urdiva::native
