#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QUrl>

class QTcpServer;

namespace velt::test {

// What the server answers for one path.
struct HttpResponse
{
    int status = 200;
    QByteArray body = {};
    QByteArray contentType = "application/octet-stream";
    QList<QPair<QByteArray, QByteArray>> headers = {}; // extra headers, e.g. Location
    bool sendContentLength = true;
    qint64 announcedLength = -1; // Content-Length to announce; -1: the body's size
    qint64 closeAfterBytes = -1; // drop the connection after this many body bytes; -1: never
    int stallMs = 0;             // wait this long before answering
};

// A small HTTP/1.1 server on 127.0.0.1 (a free port) running in its own thread, serving
// fixed responses by path. One request per connection. Unknown paths get 404.
class TestHttpServer
{
public:
    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    void setResponse(const QString& path, const HttpResponse& response);
    quint16 port() const { return m_port; }
    QString origin() const; // http://127.0.0.1:PORT
    QUrl url(const QString& path) const;
    QStringList requestedPaths() const;

private:
    friend class TestHttpServerWorker;
    HttpResponse responseFor(const QString& path);

    QThread m_thread;
    QTcpServer* m_server = nullptr;
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QHash<QString, HttpResponse> m_responses;
    QStringList m_requested;
};

} // namespace velt::test
