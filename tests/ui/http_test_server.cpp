// SPDX-License-Identifier: MIT
#include "http_test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

HttpTestServer::HttpTestServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_listener, 16);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

HttpTestServer::~HttpTestServer()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listener);
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
    std::vector<int> stalled;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!m_stop && std::chrono::steady_clock::now() < deadline) {
        pollfd waiting {m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int connection = ::accept(m_listener, nullptr, nullptr);
        if (connection < 0)
            continue;
        QByteArray request;
        char buffer[4096];
        while (!request.contains("\r\n\r\n")) {
            pollfd readable {connection, POLLIN, 0};
            if (::poll(&readable, 1, 2000) <= 0)
                break;
            const ssize_t got = ::read(connection, buffer, sizeof buffer);
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
            ::send(connection, head.constData(), size_t(head.size()), MSG_NOSIGNAL);
            const QByteArray chunk(1024, '9');
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!m_stop && std::chrono::steady_clock::now() < until) {
                pollfd writable {connection, POLLOUT, 0};
                if (::poll(&writable, 1, 50) <= 0)
                    continue;
                if (::send(connection, chunk.constData(), size_t(chunk.size()),
                           MSG_NOSIGNAL | MSG_DONTWAIT) < 0 &&
                    errno != EAGAIN)
                    break;
            }
            ::close(connection);
            continue;
        }
        for (qsizetype sent = 0; sent < response.size();) {
            const ssize_t put = ::send(connection, response.constData() + sent,
                                       size_t(response.size() - sent), MSG_NOSIGNAL);
            if (put <= 0)
                break;
            sent += put;
        }
        ::close(connection);
    }
    for (int connection : stalled)
        ::close(connection);
}
