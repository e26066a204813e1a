#include "http_client.h"

#include "run_error.h"

#include <QDeadlineTimer>
#include <QStringDecoder>
#include <QTcpSocket>

namespace urdiva::ui {
namespace {

struct Answer {
    QByteArray statusLine;
    QByteArray status;
    QByteArray headers; // lower-cased
    QByteArray body;
};

[[noreturn]] void fail(const QString& text)
{
    throw RunError(text);
}

class Exchange {
public:
    Exchange(const QUrl& url, QDeadlineTimer deadline)
        : m_url(url)
        , m_deadline(deadline)
    {
        m_socket.connectToHost(url.host(), quint16(url.port(80)));
        if (!m_socket.waitForConnected(int(m_deadline.remainingTime())))
            fail(m_socket.errorString());
    }

    void send(const QByteArray& headers)
    {
        QByteArray path = m_url.path(QUrl::FullyEncoded).toLatin1();
        if (path.isEmpty())
            path = "/";
        if (m_url.hasQuery())
            path += '?' + m_url.query(QUrl::FullyEncoded).toLatin1();
        QByteArray host = m_url.host().toLatin1();
        if (m_url.port() > 0)
            host += ':' + QByteArray::number(m_url.port());
        m_socket.write("GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\n" + headers +
                       "Connection: close\r\n\r\n");
        while (m_socket.bytesToWrite() > 0) {
            if (!m_socket.waitForBytesWritten(int(m_deadline.remainingTime())))
                fail(m_socket.errorString());
        }
    }

    // More bytes into the buffer; false when the server closed the connection.
    bool more()
    {
        if (m_socket.bytesAvailable() == 0 &&
            !m_socket.waitForReadyRead(int(m_deadline.remainingTime()))) {
            if (m_socket.state() != QAbstractSocket::ConnectedState)
                return false;
            fail(QStringLiteral("Read timed out."));
        }
        m_buffer += m_socket.readAll();
        return true;
    }

    Answer head()
    {
        qsizetype end;
        while ((end = m_buffer.indexOf("\r\n\r\n")) < 0) {
            if (m_buffer.size() > 16384 || !more())
                fail(QStringLiteral("Connection closed gracefully."));
        }
        Answer answer;
        const QList<QByteArray> lines = m_buffer.left(end).split('\n');
        answer.statusLine = lines.first().trimmed();
        const QList<QByteArray> words = answer.statusLine.split(' ');
        if (words.size() < 2 || !words[0].startsWith("HTTP/"))
            fail(QStringLiteral("Invalid HTTP response: %1")
                     .arg(QString::fromLatin1(answer.statusLine)));
        answer.status = words[1];
        answer.headers = m_buffer.left(end).toLower();
        m_buffer.remove(0, end + 4);
        return answer;
    }

    QByteArray header(const Answer& answer, const QByteArray& name) const
    {
        for (const QByteArray& line : answer.headers.split('\n')) {
            if (line.startsWith(name + ':'))
                return line.mid(name.size() + 1).trimmed();
        }
        return {};
    }

    // The body, within HttpClient::kMaxBody bytes.
    QByteArray body(const Answer& answer)
    {
        const auto tooLarge = [] { fail(QStringLiteral("Response too large.")); };
        if (header(answer, "transfer-encoding").contains("chunked")) {
            QByteArray body;
            for (;;) {
                qsizetype lineEnd;
                while ((lineEnd = m_buffer.indexOf("\r\n")) < 0) {
                    if (m_buffer.size() > 64 || !more())
                        fail(QStringLiteral("Connection closed gracefully."));
                }
                bool ok = false;
                const qsizetype size =
                    m_buffer.left(lineEnd).split(';').first().trimmed().toLongLong(&ok, 16);
                if (!ok || size < 0)
                    fail(QStringLiteral("Invalid chunk size."));
                if (body.size() + size > HttpClient::kMaxBody)
                    tooLarge();
                m_buffer.remove(0, lineEnd + 2);
                while (m_buffer.size() < size + 2) {
                    if (!more())
                        fail(QStringLiteral("Connection closed gracefully."));
                }
                if (size == 0)
                    return body;
                body += m_buffer.left(size);
                m_buffer.remove(0, size + 2);
            }
        }
        const QByteArray length = header(answer, "content-length");
        if (!length.isEmpty()) {
            bool ok = false;
            const qsizetype size = length.toLongLong(&ok);
            if (!ok || size < 0)
                fail(QStringLiteral("Invalid content length."));
            if (size > HttpClient::kMaxBody)
                tooLarge();
            while (m_buffer.size() < size) {
                if (!more())
                    fail(QStringLiteral("Connection closed gracefully."));
            }
            return m_buffer.left(size);
        }
        while (more()) {
            if (m_buffer.size() > HttpClient::kMaxBody)
                tooLarge();
        }
        return m_buffer;
    }

private:
    QUrl m_url;
    QDeadlineTimer m_deadline;
    QTcpSocket m_socket;
    QByteArray m_buffer;
};

} // namespace

HttpClient::HttpClient(std::chrono::milliseconds timeout)
    : m_timeout(timeout)
{
}

bool HttpClient::canConnect(const QUrl& url) const
{
    QTcpSocket socket;
    socket.connectToHost(url.host(), quint16(url.port(80)));
    return socket.waitForConnected(int(m_timeout.count()));
}

QString HttpClient::statusOf(const QUrl& url, const QByteArray& userAgent) const
{
    try {
        Exchange exchange(url, QDeadlineTimer(m_timeout));
        exchange.send("User-Agent: " + userAgent +
                      "\r\nCache-Control: no-cache\r\nPragma: no-cache\r\n");
        return QString::fromLatin1(exchange.head().status);
    } catch (const RunError&) {
        return {};
    }
}

QString HttpClient::get(const QUrl& url, const QByteArray& accept,
                        const QByteArray& userAgent) const
{
    Exchange exchange(url, QDeadlineTimer(m_timeout));
    exchange.send("Accept: " + accept + "\r\nUser-Agent: " + userAgent + "\r\n");
    const Answer answer = exchange.head();
    if (!answer.status.startsWith('2') || answer.status.size() != 3)
        fail(QString::fromLatin1(answer.statusLine));
    const QByteArray body = exchange.body(answer);
    QByteArray charset = "ISO-8859-1";
    const QByteArray type = exchange.header(answer, "content-type");
    if (const qsizetype at = type.indexOf("charset="); at >= 0)
        charset = type.mid(at + 8).split(';').first().trimmed().replace('"', "");
    QStringDecoder decoder(charset.constData());
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Latin1);
    return decoder.decode(body);
}

} // namespace urdiva::ui
