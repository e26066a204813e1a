// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <vector>

namespace urdiva {

// Whether the finished file may take the place of a file that is at its path by then.
enum class Replace {
    Allowed, // the user agreed to replace it (or the file is ours to replace)
    Never, // nobody agreed: a file found there at the end is kept, and ours is dropped
};

// A file written beside its target and put in place whole when committed, so a failure never
// leaves a truncated file nor damages the one that was there. Only a regular file (or a link to
// one) is ever replaced. Raises RunError with "Cannot create file "path". reason" when the file
// cannot be created and "Failed to Save Stream. reason" when writing it fails.
class AtomicFile {
public:
    AtomicFile(const QString& path, Replace replace);

    const QString& path() const { return m_path; }
    void write(QByteArrayView bytes);
    // Puts everything written on the disk, where a full disk shows.
    void finish();
    // Whether commit() would keep a file that has appeared at the path.
    bool blocked() const;
    // Puts the file in place. False, with nothing changed, when replacing is Never and a file
    // has appeared at the path.
    [[nodiscard]] bool commit();

private:
    QFileDevice& device();
    [[noreturn]] void failedToSave(const QString& reason) const;

    QString m_path;
    Replace m_replace;
    bool m_finished = false;
    QSaveFile m_replacing; // with consent: its commit replaces whatever is at the path
    // Without consent: QSaveFile cannot commit without replacing, so a temporary file beside the
    // target is renamed to it by a rename that never replaces (Qt's link or renameat2).
    QTemporaryFile m_fresh;
};

// The files of one run, put in place once every one is complete, so that a run that fails
// changes none of them. No rename can put several files in place at once: they go in the reverse
// order of their making, the first made (the run's main file) last, so that a new main file
// always means that the others are in place too.
class OutputFiles {
public:
    AtomicFile& create(const QString& path, Replace replace);
    // Finishes every file, then puts them all in place. False, with none of them changed, when
    // one may not replace a file that has appeared at its path: blockedPath() names it.
    [[nodiscard]] bool commit();
    QString blockedPath() const { return m_blocked; }

private:
    std::vector<std::unique_ptr<AtomicFile>> m_files;
    QString m_blocked;
};

// Raises the "Cannot create file" error when something other than a regular file is at the path
// (a folder, a device, a pipe), or when its name is longer than its folder allows.
void checkOutputTarget(const QString& path);

} // namespace urdiva
