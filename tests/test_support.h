// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/run_feedback.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <ostream>

// Skips a test on Windows, saying why: what it checks there is the system's own (the reasons are
// gathered in docs/building.md).
#ifdef _WIN32
#define URDIVA_SKIP_ON_WINDOWS(reason) GTEST_SKIP() << (reason)
#else
#define URDIVA_SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif

// Lets GoogleTest print Qt strings in failure messages.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os);
void PrintTo(const QStringList& list, std::ostream* os);
void PrintTo(const QByteArray& bytes, std::ostream* os);
QT_END_NAMESPACE

namespace urdiva::test {

// Pins the default locale for the life of the object.
class LocaleGuard {
public:
    explicit LocaleGuard(const QString& name)
        : m_saved(QLocale())
    {
        QLocale::setDefault(QLocale(name));
    }
    ~LocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

// A fresh folder that is removed with the object.
class TempDir {
public:
    QString path(const QString& name = QString()) const;
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
};

QByteArray readBytes(const QString& path);
// A text file's lines: UTF-8 without its byte-order mark, split at CR LF or LF, without the empty
// piece after the last break.
QStringList textLines(QByteArray bytes);

// Handles events until the condition holds or the time is up; whether it holds.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 5000);

// Records every call a run makes, in order, and answers the overwrite question.
class RecordingFeedback final : public RunFeedback {
public:
    bool overwriteAnswer = true;
    QStringList calls;
    QString output; // the network file's lines joined by LF, once it is in place
    RunSummary summary;

    bool confirmOverwrite(const QString& finalPath) override;
    void showStage(const QString& text) override;
    void clearOutput() override;
    void showSummary(const RunSummary& summary) override;
    void closeProgress() override;
    void showMessage(const QString& text) override;
};

// The slips a person makes typing a name, for names near one another.
enum class Slip { Swap, Double, Drop, Capital, Insert, Replace, DropAccents };
// Makes `slip` at `at` (below the last code unit); Insert and Replace type `letter`.
void makeSlip(QString& name, qsizetype at, Slip slip, QChar letter = {});

} // namespace urdiva::test
