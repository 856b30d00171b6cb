// SPDX-License-Identifier: Apache-2.0
#include "catalogue/ServerGet.h"

#include "catalogue/FirmwareServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>

namespace velt {

ServerGet::ServerGet(std::chrono::milliseconds silence, qint64 readBufferSize, QObject* parent)
    : QObject(parent), m_network(new QNetworkAccessManager(this)), m_silence(silence),
      m_readBufferSize(readBufferSize)
{
}

ServerGet::~ServerGet()
{
    abort();
}

void ServerGet::start(const QUrl& url)
{
    m_redirects = 0;
    request(url);
}

void ServerGet::abort()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

void ServerGet::request(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setTransferTimeout(int(m_silence.count()));
    m_url = url;
    m_reply = m_network->get(request);
    m_reply->setReadBufferSize(m_readBufferSize);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
        if (!isRedirect())
            emit metaDataChanged();
    });
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (!isRedirect())
            emit readyRead();
    });
    connect(m_reply, &QNetworkReply::finished, this, &ServerGet::onFinished);
}

// The statuses Qt itself would follow; any other answer is delivered as it is.
bool ServerGet::isRedirect() const
{
    static constexpr int followed[] = {301, 302, 303, 307, 308};
    const int code = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return std::ranges::find(followed, code) != std::end(followed) &&
           m_reply->hasRawHeader(QByteArrayLiteral("Location"));
}

void ServerGet::onFinished()
{
    if (m_reply->error() != QNetworkReply::NoError || !isRedirect()) {
        emit finished();
        return;
    }
    const QUrl target =
        m_url.resolved(QUrl(QString::fromUtf8(m_reply->rawHeader(QByteArrayLiteral("Location")))));
    const QString refusal = redirectRefusal(m_url, target);
    if (!refusal.isEmpty()) {
        abort();
        emit redirectFailed(RedirectFailure::Refused, refusal);
        return;
    }
    if (++m_redirects > maximumRedirects) {
        abort();
        emit redirectFailed(RedirectFailure::TooMany,
                            QStringLiteral("too many redirects, the last to ") +
                                target.toDisplayString(QUrl::RemoveUserInfo));
        return;
    }
    // The redirect's own body is no part of the answer.
    m_reply->disconnect(this);
    m_reply->deleteLater();
    request(target);
}

} // namespace velt
