// SPDX-License-Identifier: Apache-2.0
#include "TestHttpServer.h"

#include <QScopeGuard>
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace velt::test {
namespace {

// Waits until fd is ready for events or the server is stopping. Returns false when stopping,
// on a timeout (timeoutMs >= 0) or on an error.
bool waitFor(int fd, short events, int wakeFd, int timeoutMs = -1)
{
    pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    int ready = -1;
    while (ready < 0 && (ready = ::poll(fds, 2, timeoutMs)) < 0 && errno == EINTR) {
    }
    return ready > 0 && fds[1].revents == 0 && fds[0].revents != 0;
}

// Sends everything unless the peer goes away or the server stops.
bool sendAll(int fd, const char* data, qint64 size, int wakeFd)
{
    while (size > 0) {
        if (!waitFor(fd, POLLOUT, wakeFd))
            return false;
        const ssize_t sent =
            ::send(fd, data, static_cast<size_t>(size), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            return false;
        data += std::max<ssize_t>(sent, 0);
        size -= std::max<ssize_t>(sent, 0);
    }
    return true;
}

} // namespace

QByteArray responseHead(const HttpResponse& response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
    head += "Content-Type: application/octet-stream\r\n";
    if (response.sendContentLength) {
        const qint64 length =
            response.announcedLength >= 0 ? response.announcedLength : response.body.size();
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    for (const auto& [name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

TestHttpServer::TestHttpServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::pipe2(m_wake, O_CLOEXEC) != 0 || m_listener < 0 ||
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(m_listener, 64) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("TestHttpServer: cannot listen on 127.0.0.1");
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptConnections(); });
}

TestHttpServer::~TestHttpServer()
{
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_wake[1], &wake, 1);
    m_acceptor.join();
    // No new connection threads now: the acceptor was the only one to start them.
    for (std::thread& connection : m_connections)
        connection.join();
    ::close(m_listener);
    ::close(m_wake[0]);
    ::close(m_wake[1]);
}

void TestHttpServer::acceptConnections()
{
    while (waitFor(m_listener, POLLIN, m_wake[0])) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        std::lock_guard lock(m_mutex);
        m_connections.emplace_back([this, connection] { serve(connection); });
    }
}

void TestHttpServer::serve(int connection)
{
    const auto closer = qScopeGuard([connection] { ::close(connection); });
    // The request: everything up to the blank line after the headers.
    QByteArray request;
    char chunk[4096];
    while (!request.contains("\r\n\r\n")) {
        const ssize_t received = waitFor(connection, POLLIN, m_wake[0], 10'000)
                                     ? ::recv(connection, chunk, sizeof chunk, 0)
                                     : -1;
        if (received <= 0)
            return;
        request.append(chunk, received);
    }
    const QByteArray target = request.left(request.indexOf("\r\n")).split(' ').value(1);
    const HttpResponse response = responseFor(QUrl(QString::fromLatin1(target)).path());

    // A stall ends early only when the server stops.
    pollfd wake = {m_wake[0], POLLIN, 0};
    if (response.stallMs > 0 && ::poll(&wake, 1, response.stallMs) != 0)
        return;

    const QByteArray head = responseHead(response);
    const qint64 bodyBytes = response.closeAfterBytes >= 0
                                 ? std::min<qint64>(response.closeAfterBytes, response.body.size())
                                 : response.body.size();
    if (sendAll(connection, head.constData(), head.size(), m_wake[0]) &&
        sendAll(connection, response.body.constData(), bodyBytes, m_wake[0]) &&
        response.closeAfterBytes < 0) {
        // An orderly end: no more from us, then wait for the client to close its side, so
        // that nothing it still sends turns our close into a reset.
        ::shutdown(connection, SHUT_WR);
        while (waitFor(connection, POLLIN, m_wake[0], 5'000) &&
               ::recv(connection, chunk, sizeof chunk, 0) > 0) {
        }
    }
}

void TestHttpServer::setResponse(const QString& path, const HttpResponse& response)
{
    std::lock_guard lock(m_mutex);
    m_responses.insert(path, response);
}

QStringList TestHttpServer::requestedPaths() const
{
    std::lock_guard lock(m_mutex);
    return m_requested;
}

HttpResponse TestHttpServer::responseFor(const QString& path)
{
    std::lock_guard lock(m_mutex);
    m_requested.append(path);
    return m_responses.value(path, {.status = 404, .body = "not found"});
}

} // namespace velt::test
