#include "run_error.h"

namespace urdiva {

RunError::RunError(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

} // namespace urdiva
