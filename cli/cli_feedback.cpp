// SPDX-License-Identifier: MIT
#include "cli_feedback.h"

#include "engine/core/run_summary_text.h"
#include "engine/io/native_file.h"

#include <cstdio>

namespace urdiva::cli {

CliFeedback::CliFeedback(bool force, bool quiet, bool decimalComma)
    : m_force(force)
    , m_quiet(quiet)
    , m_terminal(native::isTerminal(2))
    , m_decimalComma(decimalComma)
{
}

void CliFeedback::showQuotedLookingLine(qint64 line)
{
    if (m_quiet)
        return;
    endProgressLine();
    std::fprintf(stderr, "urdiva-cli: aviso: %s\n",
                 quotedLookingLineWarning(line, QStringLiteral("--quotes")).toUtf8().constData());
    std::fflush(stderr);
}

QStringList CliFeedback::summaryLines() const
{
    const RunSummaryText text =
        runSummaryText(m_summary, m_decimalComma ? QString() : QStringLiteral("--decimal-comma"));
    QStringList lines;
    for (const QString& warning : text.warnings)
        lines << QStringLiteral("urdiva-cli: aviso: ") + warning;
    lines << QStringLiteral("urdiva-cli: ") + text.summary;
    return lines;
}

CliFeedback::~CliFeedback()
{
    endProgressLine();
}

bool CliFeedback::confirmOverwrite(const QString&)
{
    return m_force;
}

void CliFeedback::showStage(const QString& text)
{
    if (m_quiet)
        return;
    endProgressLine();
    std::fprintf(stderr, "%s\n", text.trimmed().toUtf8().constData());
    std::fflush(stderr);
}

void CliFeedback::showRecordsRead(qint64 records)
{
    constexpr qint64 kRefreshMs = 250;
    if (m_quiet || !m_terminal ||
        (m_sinceProgress.isValid() && m_sinceProgress.elapsed() < kRefreshMs))
        return;
    m_sinceProgress.start();
    std::fprintf(stderr, "\r%s", recordsReadText(records).toUtf8().constData());
    std::fflush(stderr);
    m_progressShown = true;
}

// Clears the records line, so that what follows is printed in its place.
void CliFeedback::endProgressLine()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    m_progressShown = false;
}

} // namespace urdiva::cli
