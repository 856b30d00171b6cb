// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "support/TestHttpServer.h"

#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QTcpServer>

namespace velt::test {

// An HTTPS server on 127.0.0.1 that gives every request the same answer. It presents a
// self-signed certificate for 127.0.0.1 that nothing trusts unless a test adds it to the
// default TLS configuration (trustCertificate). It runs on the thread that creates it, so
// that thread's event loop must turn for it to answer.
class TlsTestServer : public QTcpServer
{
public:
    explicit TlsTestServer(HttpResponse response);

    QString origin() const { return QStringLiteral("https://127.0.0.1:%1").arg(serverPort()); }

    // Makes clients created afterwards trust the certificate, until the object goes.
    class TrustCertificate
    {
    public:
        TrustCertificate();
        ~TrustCertificate() { QSslConfiguration::setDefaultConfiguration(m_previous); }
        TrustCertificate(const TrustCertificate&) = delete;
        TrustCertificate& operator=(const TrustCertificate&) = delete;

    private:
        QSslConfiguration m_previous;
    };

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    HttpResponse m_response;
    QSslKey m_key;
};

} // namespace velt::test
