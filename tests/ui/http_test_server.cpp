// SPDX-License-Identifier: MIT
#include "http_test_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <vector>

namespace {

// The few socket calls the server makes, on Winsock or on POSIX sockets.
#ifdef _WIN32
using Socket = SOCKET;
using Length = int;

void startSockets()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    Q_UNUSED(started);
}
int pollOne(Socket s, short events, int milliseconds)
{
    WSAPOLLFD one {s, events, 0};
    return WSAPoll(&one, 1, milliseconds);
}
long long receive(Socket s, char* buffer, size_t size)
{
    return ::recv(s, buffer, int(size), 0);
}
long long sendSome(Socket s, const char* bytes, size_t size)
{
    return ::send(s, bytes, int(size), 0);
}
void closeSocket(Socket s)
{
    ::closesocket(s);
}
void setNonBlocking(Socket s)
{
    u_long on = 1;
    ::ioctlsocket(s, FIONBIO, &on);
}
bool wouldBlock()
{
    return WSAGetLastError() == WSAEWOULDBLOCK;
}
#else
using Socket = int;
using Length = socklen_t;

void startSockets() { }
int pollOne(Socket s, short events, int milliseconds)
{
    pollfd one {s, events, 0};
    return ::poll(&one, 1, milliseconds);
}
long long receive(Socket s, char* buffer, size_t size)
{
    return ::read(s, buffer, size);
}
long long sendSome(Socket s, const char* bytes, size_t size)
{
    return ::send(s, bytes, size, MSG_NOSIGNAL);
}
void closeSocket(Socket s)
{
    ::close(s);
}
void setNonBlocking(Socket s)
{
    ::fcntl(s, F_SETFL, ::fcntl(s, F_GETFL) | O_NONBLOCK);
}
bool wouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK;
}
#endif

} // namespace

HttpTestServer::HttpTestServer()
{
    startSockets();
    const Socket listener = ::socket(AF_INET, SOCK_STREAM, 0);
    m_listener = qintptr(listener);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener, 16);
    Length length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer()
{
    m_stop = true;
    m_thread.join();
    closeSocket(Socket(m_listener));
}

void HttpTestServer::answer(const QByteArray& path, const QByteArray& response)
{
    std::lock_guard lock(m_mutex);
    m_answers[path] = response;
}

void HttpTestServer::answer(const QByteArray& path, int status, const QByteArray& reason,
                            const QByteArray& body, const QByteArray& extraHeaders)
{
    answer(path, "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\n" + extraHeaders + "\r\n" + body);
}

void HttpTestServer::stall(const QByteArray& path)
{
    std::lock_guard lock(m_mutex);
    m_stalled << path;
}

void HttpTestServer::endless(const QByteArray& path)
{
    std::lock_guard lock(m_mutex);
    m_endless << path;
}

QList<QByteArray> HttpTestServer::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void HttpTestServer::serve()
{
    const Socket listener = Socket(m_listener);
    std::vector<Socket> stalled;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!m_stop && std::chrono::steady_clock::now() < deadline) {
        if (pollOne(listener, POLLIN, 50) <= 0)
            continue;
        const Socket connection = ::accept(listener, nullptr, nullptr);
        if (connection == Socket(-1))
            continue;
        QByteArray request;
        char buffer[4096];
        while (!request.contains("\r\n\r\n")) {
            if (pollOne(connection, POLLIN, 2000) <= 0)
                break;
            const long long got = receive(connection, buffer, sizeof buffer);
            if (got <= 0)
                break;
            request.append(buffer, got);
        }
        const QByteArray path = request.split(' ').value(1);
        QByteArray response = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        bool stall = false;
        bool endless = false;
        {
            std::lock_guard lock(m_mutex);
            m_requests << request;
            stall = m_stalled.contains(path);
            endless = m_endless.contains(path);
            if (m_answers.contains(path))
                response = m_answers[path];
        }
        if (stall) {
            stalled.push_back(connection);
            continue;
        }
        if (endless) {
            // Headers, then body until the client hangs up or time runs out.
            const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
            sendSome(connection, head.constData(), size_t(head.size()));
            const QByteArray chunk(1024, '9');
            setNonBlocking(connection); // a client that stops reading never holds the server
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!m_stop && std::chrono::steady_clock::now() < until) {
                // Only when there is room: the client's reading sets the pace.
                if (pollOne(connection, POLLOUT, 50) <= 0)
                    continue;
                if (sendSome(connection, chunk.constData(), size_t(chunk.size())) < 0 &&
                    !wouldBlock())
                    break;
            }
            closeSocket(connection);
            continue;
        }
        for (qsizetype sent = 0; sent < response.size();) {
            const long long put =
                sendSome(connection, response.constData() + sent, size_t(response.size() - sent));
            if (put <= 0)
                break;
            sent += put;
        }
        closeSocket(connection);
    }
    for (const Socket connection : stalled)
        closeSocket(connection);
}
