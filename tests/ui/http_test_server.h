// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QMap>
#include <QStringList>

#include <atomic>
#include <mutex>
#include <thread>

// An HTTP server on 127.0.0.1 for the tests, on a thread of its own so that the blocking client
// under test can talk to it: it answers each path with canned bytes, or never answers.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();

    quint16 port() const { return m_port; }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

    // The whole answer for a path; a path without one gets 404.
    void answer(const QByteArray& path, const QByteArray& response);
    void answer(const QByteArray& path, int status, const QByteArray& reason,
                const QByteArray& body, const QByteArray& extraHeaders = {});
    // Connections to the path are accepted and never answered.
    void stall(const QByteArray& path);
    // The path answers 200 with a body that never ends (for a few seconds at most).
    void endless(const QByteArray& path);
    QList<QByteArray> requests() const;

private:
    void serve();

    qintptr m_listener = -1; // a socket: an int on POSIX systems, a SOCKET on Windows
    quint16 m_port = 0;
    std::atomic<bool> m_stop {false};
    mutable std::mutex m_mutex;
    QMap<QByteArray, QByteArray> m_answers;
    QList<QByteArray> m_stalled;
    QList<QByteArray> m_endless;
    QList<QByteArray> m_requests;
    std::thread m_thread;
};
