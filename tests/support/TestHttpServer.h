// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <mutex>
#include <thread>
#include <vector>

namespace velt::test {

// What the server answers for one path.
struct HttpResponse
{
    int status = 200;
    QByteArray body = {};
    QList<QPair<QByteArray, QByteArray>> headers = {}; // extra headers, e.g. Location
    bool sendContentLength = true;
    qint64 announcedLength = -1; // Content-Length to announce; -1: the body's size
    qint64 closeAfterBytes = -1; // drop the connection after this many body bytes; -1: never
    int stallMs = 0;             // wait this long before answering
};

// The status line and headers of a response, the blank line included.
QByteArray responseHead(const HttpResponse& response);

// A small HTTP/1.1 server on 127.0.0.1 (a free port), serving fixed responses by path. One
// request per connection. Unknown paths get 404.
//
// Plain POSIX sockets and std::thread, no Qt event loop: one thread accepts, one thread serves
// each connection. Everything the threads share is behind one mutex, and shutdown is a byte in a
// pipe, so the tests that use it run clean under ThreadSanitizer.
class TestHttpServer
{
public:
    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    void setResponse(const QString& path, const HttpResponse& response);
    QString origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }
    QStringList requestedPaths() const;

private:
    void acceptConnections();
    void serve(int connection);
    HttpResponse responseFor(const QString& path);

    int m_listener = -1;
    int m_wake[2] = {-1, -1}; // written once on shutdown: every wait polls its read end
    quint16 m_port = 0;
    std::thread m_acceptor;

    mutable std::mutex m_mutex; // guards everything below
    QHash<QString, HttpResponse> m_responses;
    QStringList m_requested;
    std::vector<std::thread> m_connections;
};

} // namespace velt::test
