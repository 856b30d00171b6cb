// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <chrono>

class QNetworkAccessManager;

namespace velt {

// A plain GET from the firmware server, as the catalogue and the image are fetched. Redirects
// are followed here, one hop at a time, and each is judged by redirectRefusal (FirmwareServer.h)
// before it is taken: Qt's own following would take every hop first and ask afterwards, and
// Qt 6.4 ends a chain of more than two hops as a success with an interim status and no body.
// A redirect's own response never reaches the signals below. A transfer that stays silent for
// the given time is ended by Qt, which reports OperationCanceledError. Main thread only.
class ServerGet : public QObject
{
    Q_OBJECT

public:
    // Hops followed before the transfer is given up, as many as Qt's own default.
    static constexpr int maximumRedirects = 50;

    enum class RedirectFailure {
        Refused, // the server rules forbid the target
        TooMany  // more than maximumRedirects hops
    };

    // readBufferSize: how much Qt reads ahead of the reader; 0 for no bound.
    explicit ServerGet(std::chrono::milliseconds silence, qint64 readBufferSize = 0,
                       QObject* parent = nullptr);
    ~ServerGet() override;

    void start(const QUrl& url);
    // Ends the transfer; no signal follows.
    void abort();

    // The reply of the latest hop: headers, body and error of the response being delivered.
    QNetworkReply* reply() const { return m_reply; }

signals:
    void metaDataChanged();
    void readyRead();
    // The transfer has ended (reply()->error() says how); not after redirectFailed or abort.
    void finished();
    // The transfer has been stopped at a redirect; reason is written for the log.
    void redirectFailed(velt::ServerGet::RedirectFailure failure, const QString& reason);

private:
    void request(const QUrl& url);
    bool isRedirect() const;
    void onFinished();

    QNetworkAccessManager* m_network;
    QPointer<QNetworkReply> m_reply;
    QUrl m_url;
    std::chrono::milliseconds m_silence;
    qint64 m_readBufferSize;
    int m_redirects = 0;
};

} // namespace velt
