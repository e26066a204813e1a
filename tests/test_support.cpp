// SPDX-License-Identifier: MIT
#include "test_support.h"

#include "engine/network/output_buffer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>

QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (const QString& s : list) {
        PrintTo(s, os);
        *os << ", ";
    }
    *os << '}';
}

void PrintTo(const QByteArray& bytes, std::ostream* os)
{
    *os << '"' << bytes.toStdString() << '"';
}
QT_END_NAMESPACE

namespace urdiva::test {

QString TempDir::path(const QString& name) const
{
    return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
}

QString TempDir::write(const QString& name, const QByteArray& bytes) const
{
    const QString file = path(name);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(file));
    return file;
}

QStringList textLines(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringList lines =
        QString::fromUtf8(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QByteArray readBytes(const QString& path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    return in.readAll();
}

bool RecordingFeedback::confirmOverwrite(const QString& finalPath)
{
    calls << QStringLiteral("confirmOverwrite:") + finalPath;
    return overwriteAnswer;
}

void RecordingFeedback::showStage(const QString& text)
{
    calls << QStringLiteral("showStage:") + text;
}

void RecordingFeedback::clearOutput()
{
    calls << QStringLiteral("clearOutput");
}

void RecordingFeedback::showSummary(const RunSummary& runSummary)
{
    summary = runSummary;
    output = textLines(readBytes(runSummary.networkPath)).join(u'\n');
}

void RecordingFeedback::closeProgress()
{
    calls << QStringLiteral("closeProgress");
}

void RecordingFeedback::showMessage(const QString& text)
{
    calls << QStringLiteral("showMessage:") + text;
}

bool waitFor(const std::function<bool()>& condition, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void makeSlip(QString& name, qsizetype at, Slip slip, QChar letter)
{
    switch (slip) {
    case Slip::Swap:
        std::swap(name[at], name[at + 1]);
        break;
    case Slip::Double:
        name.insert(at, name[at]);
        break;
    case Slip::Drop:
        name.remove(at, 1);
        break;
    case Slip::Capital:
        name[at] = name[at].toUpper();
        break;
    case Slip::Insert:
        name.insert(at, letter);
        break;
    case Slip::Replace:
        name[at] = letter;
        break;
    case Slip::DropAccents:
        name = name.normalized(QString::NormalizationForm_D);
        name.removeIf([](QChar c) { return c.isMark(); });
        break;
    }
}

} // namespace urdiva::test
