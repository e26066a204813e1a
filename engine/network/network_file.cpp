// SPDX-License-Identifier: MIT
#include "engine/network/network_file.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"

namespace urdiva {

NetworkFile::NetworkFile(OutputFiles& files, const QString& finalPath, Replace replace,
                         bool byteOrderMark)
{
    attempt([&] {
        m_file = &files.create(finalPath, replace);
        if (byteOrderMark)
            m_file->write("\xEF\xBB\xBF");
    });
}

NetworkFile::NetworkFile(bool byteOrderMark)
    : m_standardOutput(std::make_unique<QFile>())
{
    attempt([&] {
        if (!m_standardOutput->open(stdout, QIODevice::WriteOnly))
            throw RunError(messages::failedToSaveStream(m_standardOutput->errorString()));
    });
    if (byteOrderMark)
        attempt([&] { writeBytes("\xEF\xBB\xBF"); });
}

void NetworkFile::writeBytes(QByteArrayView bytes)
{
    if (m_file) {
        m_file->write(bytes);
    } else if (m_standardOutput->write(bytes.data(), bytes.size()) != bytes.size()) {
        throw RunError(messages::failedToSaveStream(m_standardOutput->errorString()));
    }
}

void NetworkFile::attempt(const std::function<void()>& step)
{
    if (m_failure)
        return;
    try {
        step();
    } catch (...) {
        m_failure = std::current_exception();
    }
}

void NetworkFile::write(OutputBuffer& text)
{
    write(text.utf8());
    text.clear();
}

void NetworkFile::write(QByteArrayView bytes)
{
    attempt([&] { writeBytes(bytes); });
}

void NetworkFile::finish()
{
    if (m_failure)
        std::rethrow_exception(m_failure);
    if (!m_file && !m_standardOutput->flush())
        throw RunError(messages::failedToSaveStream(m_standardOutput->errorString()));
}

} // namespace urdiva
