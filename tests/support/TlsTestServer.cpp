// SPDX-License-Identifier: Apache-2.0
#include "support/TlsTestServer.h"

#include "support/Files.h"

#include <QSslConfiguration>
#include <QSslSocket>
#include <memory>

namespace velt::test {
namespace {

QByteArray readData(const char* name)
{
    return readFile(QStringLiteral(VELT_TEST_DATA_DIR "/") + QLatin1String(name));
}

QSslCertificate certificate()
{
    return QSslCertificate(readData("loopback-cert.pem"), QSsl::Pem);
}

} // namespace

TlsTestServer::TlsTestServer(HttpResponse response)
    : m_response(std::move(response)),
      m_key(readData("loopback-key.pem"), QSsl::Rsa, QSsl::Pem, QSsl::PrivateKey)
{
    listen(QHostAddress::LocalHost, 0);
}

void TlsTestServer::incomingConnection(qintptr descriptor)
{
    auto* socket = new QSslSocket(this);
    socket->setSocketDescriptor(descriptor);
    socket->setLocalCertificate(certificate());
    socket->setPrivateKey(m_key);
    auto request = std::make_shared<QByteArray>();
    connect(socket, &QSslSocket::readyRead, socket, [this, socket, request] {
        request->append(socket->readAll());
        if (!request->contains("\r\n\r\n") || socket->property("answered").toBool())
            return;
        socket->setProperty("answered", true);
        socket->write(responseHead(m_response) + m_response.body);
        socket->disconnectFromHost();
    });
    connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
    // A client that refuses the certificate drops the connection during the handshake.
    connect(socket, &QSslSocket::errorOccurred, socket, [socket] {
        if (socket->state() == QAbstractSocket::UnconnectedState)
            socket->deleteLater();
    });
    socket->startServerEncryption();
}

TlsTestServer::TrustCertificate::TrustCertificate()
    : m_previous(QSslConfiguration::defaultConfiguration())
{
    QSslConfiguration trusting = m_previous;
    trusting.addCaCertificate(certificate());
    QSslConfiguration::setDefaultConfiguration(trusting);
}

} // namespace velt::test
