#include "cli_feedback.h"

#include <cstdio>

namespace urdiva::cli {

CliFeedback::CliFeedback(bool force, bool quiet)
    : m_force(force)
    , m_quiet(quiet)
{
}

bool CliFeedback::confirmOverwrite(const QString&)
{
    return m_force;
}

void CliFeedback::showStage(const QString& text)
{
    if (m_quiet)
        return;
    std::fprintf(stderr, "%s\n", text.trimmed().toUtf8().constData());
    std::fflush(stderr);
}

} // namespace urdiva::cli
