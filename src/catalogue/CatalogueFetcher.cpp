// SPDX-License-Identifier: Apache-2.0
#include "catalogue/CatalogueFetcher.h"

#include "catalogue/FirmwareServer.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <memory>

namespace velt {
namespace {

// Qt turns an HTTP error status into one of these codes, yet the server did answer and its
// body is the document we were given: the status is not ours to judge, the reader is.
bool isHttpStatusError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ProtocolInvalidOperationError: // 400, 418
    case QNetworkReply::AuthenticationRequiredError:   // 401
    case QNetworkReply::ContentAccessDenied:           // 403
    case QNetworkReply::ContentNotFoundError:          // 404
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError: // other 4xx
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError: // other 5xx
        return true;
    default:
        return false;
    }
}

QString shownDuration(std::chrono::milliseconds limit)
{
    return limit.count() % 1000 == 0 ? QStringLiteral("%1 s").arg(limit.count() / 1000)
                                     : QStringLiteral("%1 ms").arg(limit.count());
}

QString shownSize(qint64 bytes)
{
    constexpr qint64 mebibyte = 1024 * 1024;
    return bytes % mebibyte == 0 ? QStringLiteral("%1 MiB").arg(bytes / mebibyte)
                                 : QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace

CatalogueFetcher::Result CatalogueFetcher::fetch(const QUrl& url, const LoadLimits& limits)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QNetworkAccessManager manager;

    QNetworkRequest request(url);
    // Every redirect is judged below by the same rule as the server's own address.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    // Qt's transfer timeout counts only silence; the deadline below bounds the whole transfer,
    // so a server that sends a byte now and then cannot hold the first page for ever.
    request.setTransferTimeout(static_cast<int>(limits.silence.count()));

    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    Result result;
    // Set when this function ends the transfer itself, so the report says why rather than
    // Qt's "Operation canceled".
    bool stopped = false;
    const auto stop = [&](qint64 code, const QString& description) {
        if (stopped)
            return;
        stopped = true;
        result.code = code;
        result.description = description;
        reply->abort();
    };
    const auto refuseLarger = [&] {
        stop(tooLargeCode,
             QStringLiteral("the firmware list is larger than ") + shownSize(limits.maxBodyBytes));
    };
    // Keeps at most one byte beyond the limit, and stops the transfer as soon as it has one.
    const auto take = [&] {
        result.body += reply->read(limits.maxBodyBytes + 1 - result.body.size());
        if (result.body.size() > limits.maxBodyBytes)
            refuseLarger();
    };

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        stop(timedOutCode, QStringLiteral("the firmware list transfer timed out after ") +
                               shownDuration(limits.deadline));
    });
    QObject::connect(reply.get(), &QNetworkReply::metaDataChanged, &loop, [&] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > limits.maxBodyBytes)
            refuseLarger();
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
    QUrl hop = url;
    QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, [&](const QUrl& target) {
        const QString refusal = redirectRefusal(hop, target);
        if (!refusal.isEmpty()) {
            stop(redirectRefusedCode, refusal);
            return;
        }
        hop = hop.resolved(target);
        emit reply->redirectAllowed();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(limits.deadline);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!stopped)
        take();
    if (stopped) {
        result.body.clear();
        return result;
    }

    const QNetworkReply::NetworkError error = reply->error();
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (error == QNetworkReply::NoError || (answered && isHttpStatusError(error))) {
        result.ok = true;
        return result;
    }
    result.body.clear();
    if (error == QNetworkReply::OperationCanceledError) {
        // Nothing here cancelled it: Qt's transfer timeout did, which Qt calls "cancelled".
        result.code = timedOutCode;
        result.description = QStringLiteral("the firmware list transfer timed out after ") +
                             shownDuration(limits.silence) + QStringLiteral(" without data");
    } else {
        result.code = error;
        result.description = reply->errorString();
    }
    return result;
}

} // namespace velt
