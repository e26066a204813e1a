// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <cstddef>

namespace urdiva::native {

// The few calls on files that the line reader and the atomic writer make below Qt, one
// implementation for POSIX systems and one for Windows. Failures leave their reason in errno.

// A file opened for reading, as a descriptor; -1 on failure.
int openToRead(const QString& path);
// Up to `size` bytes into `buffer`: how many, 0 at the end, -1 on failure.
long long readSome(int fd, char* buffer, size_t size);
bool isDirectory(int fd);
void closeFile(int fd);

enum class PathKind { Missing, Regular, Directory, Other };
// What is at the path, following links.
PathKind pathKind(const QString& path);
// Whether the file name (without its folder) is longer than the folder's file system allows.
bool nameTooLong(const QString& path);

// Whether two paths name one existing file (through links, or two names of one file).
bool sameExistingFile(const QString& a, const QString& b);

// Whether the descriptor is a terminal.
bool isTerminal(int fd);
// Reads or writes the descriptor's bytes as they are: Windows' C library otherwise turns LF into
// CR LF on the way out and back on the way in, and stops at a Ctrl+Z.
void useBinaryMode(int fd);
// Messages go out in UTF-8: a Windows console shows them so once told (its code page is the
// system's ANSI one otherwise); files and pipes take the bytes as they are everywhere.
void useUtf8Console();

// Puts an open file's data on the disk; false on failure.
bool syncData(int handle);
// Gives a file made private (a temporary file) the permissions a new file gets the ordinary
// way; false on failure.
bool shareAsNewFile(int handle);

} // namespace urdiva::native
