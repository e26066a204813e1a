// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"

#include <new>

namespace urdiva {

RunError::RunError(QString message, QString context)
    : m_message(std::move(message))
    , m_context(std::move(context))
    , m_utf8(m_message.toUtf8())
{
}

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

QString caughtFailureText()
{
    try {
        throw;
    } catch (const RunError& e) {
        return errorBoxText(e.message());
    } catch (const std::bad_alloc&) {
        return errorBoxText(QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return errorBoxText(QString::fromUtf8(e.what()));
    } catch (...) {
        return errorBoxText(QStringLiteral("Unknown error"));
    }
}

QString caughtFailureContext()
{
    try {
        throw;
    } catch (const RunError& e) {
        return e.context();
    } catch (...) {
        return QString();
    }
}

QString recordContext(const QString& file, qint64 line)
{
    return QStringLiteral("%1, linha %2").arg(file).arg(line);
}

} // namespace urdiva
