#include "TestHttpServer.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace velt::test {

class TestHttpServerWorker
{
public:
    static void serve(TestHttpServer* owner, QTcpSocket* socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [owner, socket, buffer] {
            buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0 || socket->property("answered").toBool())
                return;
            socket->setProperty("answered", true);
            const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
            const QString path =
                requestLine.size() >= 2 ? QString::fromLatin1(requestLine.at(1)) : QString();
            const HttpResponse response = owner->responseFor(QUrl(path).path());
            QTimer::singleShot(response.stallMs, socket, [socket, response] {
                answer(socket, response);
            });
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    static void answer(QTcpSocket* socket, const HttpResponse& response)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n";
        head += "Content-Type: " + response.contentType + "\r\n";
        if (response.sendContentLength) {
            const qint64 length =
                response.announcedLength >= 0 ? response.announcedLength : response.body.size();
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        for (const auto& [name, value] : response.headers)
            head += name + ": " + value + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        if (response.closeAfterBytes >= 0) {
            socket->write(response.body.left(response.closeAfterBytes));
            socket->flush();
            socket->abort();
            return;
        }
        socket->write(response.body);
        socket->disconnectFromHost();
    }
};

TestHttpServer::TestHttpServer()
{
    m_thread.start();
    QSemaphore ready;
    QObject context;
    context.moveToThread(&m_thread);
    QMetaObject::invokeMethod(
        &context,
        [this, &ready] {
            m_server = new QTcpServer;
            m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
            QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
                while (QTcpSocket* socket = m_server->nextPendingConnection())
                    TestHttpServerWorker::serve(this, socket);
            });
            ready.release();
        },
        Qt::QueuedConnection);
    ready.acquire();
}

TestHttpServer::~TestHttpServer()
{
    QSemaphore done;
    QMetaObject::invokeMethod(
        m_server,
        [this, &done] {
            delete m_server;
            m_server = nullptr;
            done.release();
        },
        Qt::QueuedConnection);
    done.acquire();
    m_thread.quit();
    m_thread.wait();
}

void TestHttpServer::setResponse(const QString& path, const HttpResponse& response)
{
    QMutexLocker lock(&m_mutex);
    m_responses.insert(path, response);
}

QString TestHttpServer::origin() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QUrl TestHttpServer::url(const QString& path) const
{
    return QUrl(origin() + path);
}

QStringList TestHttpServer::requestedPaths() const
{
    QMutexLocker lock(&m_mutex);
    return m_requested;
}

HttpResponse TestHttpServer::responseFor(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    m_requested.append(path);
    const auto it = m_responses.constFind(path);
    if (it != m_responses.constEnd())
        return *it;
    HttpResponse notFound;
    notFound.status = 404;
    notFound.contentType = "text/html";
    notFound.body = "<html><body><h1>404 Not Found</h1></body></html>";
    return notFound;
}

} // namespace velt::test
