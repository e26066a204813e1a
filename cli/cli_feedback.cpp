#include "cli_feedback.h"

#include <QLocale>

#include <cstdio>
#include <unistd.h>

namespace urdiva::cli {

CliFeedback::CliFeedback(bool force, bool quiet)
    : m_force(force)
    , m_quiet(quiet)
    , m_terminal(::isatty(STDERR_FILENO) == 1)
{
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
    const QString count = QLocale(QLocale::Portuguese, QLocale::Brazil).toString(records);
    std::fprintf(stderr, "\r%s registros lidos", count.toUtf8().constData());
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
