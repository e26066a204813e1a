// SPDX-License-Identifier: MIT
#include "http_client.h"

#include "engine/core/run_error.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <memory>

namespace urdiva::ui {
namespace {

// Runs the event loop (without user input) until `quit` is called, the deadline passes or the
// thread is asked to stop, and then calls `onTimeout` if one of the last two came first. Name
// look-ups and transfers go on in the background meanwhile, so none of them can hold the caller
// past the deadline.
class Wait {
public:
    explicit Wait(QDeadlineTimer deadline)
        : m_deadline(deadline)
    {
    }

    void quit() { m_loop.quit(); }

    template <typename OnTimeout>
    void run(OnTimeout onTimeout)
    {
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &m_loop, [&] {
            onTimeout();
            m_loop.quit();
        });
        timer.start(std::chrono::milliseconds(std::max<qint64>(0, m_deadline.remainingTime())));
        // A check on a thread of its own is stopped when the program ends.
        QTimer stop;
        QObject::connect(&stop, &QTimer::timeout, &m_loop, [&] {
            if (QThread::currentThread()->isInterruptionRequested()) {
                onTimeout();
                m_loop.quit();
            }
        });
        stop.start(std::chrono::milliseconds(20));
        if (QThread::currentThread()->isInterruptionRequested()) {
            onTimeout();
            return;
        }
        m_loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QDeadlineTimer m_deadline;
    QEventLoop m_loop;
};

// One GET on a manager of its own: no proxy, no cache, no redirection followed, HTTP/1.1.
struct Request {
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply;

    Request(const QUrl& url, const QList<std::pair<QByteArray, QByteArray>>& headers)
    {
        manager.setProxy(QNetworkProxy::NoProxy);
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::ManualRedirectPolicy);
        request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        for (const auto& [name, value] : headers)
            request.setRawHeader(name, value);
        reply.reset(manager.get(request));
        reply->setReadBufferSize(HttpClient::kMaxBody + 1);
    }

    // The status code, once the answer's head has come; 0 before or without one.
    int status() const
    {
        return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    }
};

} // namespace

HttpClient::HttpClient(std::chrono::milliseconds stepTimeout,
                       std::chrono::milliseconds totalTimeout)
    : m_step(stepTimeout)
    , m_total(totalTimeout)
{
}

QDeadlineTimer HttpClient::stepDeadline() const
{
    const QDeadlineTimer step(m_step);
    return step.deadline() < m_total.deadline() ? step : m_total;
}

bool HttpClient::canConnect(const QUrl& url) const
{
    QTcpSocket socket;
    Wait wait(stepDeadline());
    QObject::connect(&socket, &QTcpSocket::connected, [&] { wait.quit(); });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, [&] { wait.quit(); });
    socket.connectToHost(url.host(), quint16(url.port(80)));
    wait.run([&] { socket.abort(); });
    return socket.state() == QAbstractSocket::ConnectedState;
}

QString HttpClient::statusOf(const QUrl& url, const QByteArray& userAgent) const
{
    Request request(
        url, {{"User-Agent", userAgent}, {"Cache-Control", "no-cache"}, {"Pragma", "no-cache"}});
    QNetworkReply* reply = request.reply.get();
    Wait wait(stepDeadline());
    // The head is all that is needed.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, [&] {
        if (request.status() != 0)
            wait.quit();
    });
    QObject::connect(reply, &QNetworkReply::finished, [&] { wait.quit(); });
    wait.run([] {});
    const int status = request.status();
    reply->abort();
    return status == 0 ? QString() : QString::number(status);
}

QString HttpClient::get(const QUrl& url, const QByteArray& accept,
                        const QByteArray& userAgent) const
{
    Request request(url, {{"Accept", accept}, {"User-Agent", userAgent}});
    QNetworkReply* reply = request.reply.get();
    QByteArray body;
    QString failure;
    Wait wait(stepDeadline());
    const auto fail = [&](const QString& text) {
        if (failure.isEmpty())
            failure = text;
        wait.quit();
    };
    const auto take = [&] {
        body += reply->read(kMaxBody + 1 - body.size());
        if (body.size() > kMaxBody)
            fail(QStringLiteral("Response too large."));
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxBody)
            fail(QStringLiteral("Response too large."));
    });
    QObject::connect(reply, &QNetworkReply::readyRead, take);
    QObject::connect(reply, &QNetworkReply::finished, [&] { wait.quit(); });
    wait.run([&] { fail(QStringLiteral("Read timed out.")); });
    if (failure.isEmpty() && reply->isOpen())
        take();
    if (!failure.isEmpty()) {
        reply->abort();
        throw RunError(failure);
    }

    const int status = request.status();
    if (status == 0)
        throw RunError(reply->errorString());
    if (status < 200 || status > 299) {
        throw RunError(
            QStringLiteral("HTTP/1.1 %1 %2")
                .arg(status)
                .arg(QString::fromLatin1(
                    reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray())));
    }
    // A body cut short (the connection closed before its announced length) is no answer.
    if (reply->error() != QNetworkReply::NoError)
        throw RunError(reply->errorString());
    QByteArray charset = "ISO-8859-1";
    const QByteArray type = reply->rawHeader("Content-Type").toLower();
    if (const qsizetype at = type.indexOf("charset="); at >= 0)
        charset = type.mid(at + 8).split(';').first().trimmed().replace('"', "");
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Latin1);
    return decoder.decode(body);
}

} // namespace urdiva::ui
