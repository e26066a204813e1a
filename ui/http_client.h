// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QUrl>

#include <chrono>

namespace urdiva::ui {

// The little HTTP/1.1 the update check needs, on Qt Network and with a bound on every wait: a
// connectivity test, the status of an address, and a GET that follows no redirection, turns
// every answer but a success into an error carrying the server's status line, and takes a small
// body only. Each step ends within `stepTimeout`, and all steps together within `totalTimeout`
// from the client's making, host name look-ups included.
class HttpClient {
public:
    explicit HttpClient(std::chrono::milliseconds stepTimeout = std::chrono::seconds(5),
                        std::chrono::milliseconds totalTimeout = std::chrono::seconds(15));

    // Whether a connection to the address's host can be made now.
    bool canConnect(const QUrl& url) const;
    // The status code of the answer to a GET, as text ("200"), or an empty text when there is
    // no answer.
    QString statusOf(const QUrl& url, const QByteArray& userAgent) const;
    // The body of a successful answer, decoded by the character set it declares (ISO-8859-1
    // when it declares none). Raises RunError otherwise.
    QString get(const QUrl& url, const QByteArray& accept, const QByteArray& userAgent) const;

    static constexpr qsizetype kMaxBody = 4096;

private:
    QDeadlineTimer stepDeadline() const;

    std::chrono::milliseconds m_step;
    QDeadlineTimer m_total;
};

} // namespace urdiva::ui
