// SPDX-License-Identifier: Apache-2.0
#include "catalogue/CatalogueFetcher.h"

#include "catalogue/ServerGet.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>

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
    // Qt's transfer timeout counts only silence; the deadline below bounds the whole transfer,
    // so a server that sends a byte now and then cannot hold the first page for ever.
    ServerGet get(limits.silence);
    Result result;
    QEventLoop loop;
    // Set when the transfer has ended, by the network or by this function. Anything else that
    // ends the loop is the application quitting (QCoreApplication::exit ends every loop).
    bool ended = false;
    // Set when this function ends the transfer itself, so the report says why rather than
    // Qt's "Operation canceled".
    bool stopped = false;
    const auto stop = [&](qint64 code, const QString& description) {
        if (ended)
            return;
        ended = stopped = true;
        result.code = code;
        result.description = description;
        get.abort();
        loop.quit();
    };
    const auto refuseLarger = [&] {
        stop(tooLargeCode,
             QStringLiteral("the firmware list is larger than ") + shownSize(limits.maxBodyBytes));
    };
    // Keeps at most one byte beyond the limit, and stops the transfer as soon as it has one.
    const auto take = [&] {
        result.body += get.reply()->read(limits.maxBodyBytes + 1 - result.body.size());
        if (result.body.size() > limits.maxBodyBytes)
            refuseLarger();
    };

    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        stop(timedOutCode, QStringLiteral("the firmware list transfer timed out after ") +
                               shownDuration(limits.deadline));
    });
    QObject::connect(&get, &ServerGet::metaDataChanged, &loop, [&] {
        if (get.reply()->header(QNetworkRequest::ContentLengthHeader).toLongLong() >
            limits.maxBodyBytes)
            refuseLarger();
    });
    QObject::connect(&get, &ServerGet::readyRead, &loop, take);
    QObject::connect(&get, &ServerGet::redirectFailed, &loop,
                     [&](ServerGet::RedirectFailure failure, const QString& reason) {
                         stop(failure == ServerGet::RedirectFailure::Refused ? redirectRefusedCode
                                                                             : tooManyRedirectsCode,
                              reason);
                     });
    QObject::connect(&get, &ServerGet::finished, &loop, [&] {
        take();
        ended = true;
        loop.quit();
    });
    deadline.start(limits.deadline);
    get.start(url);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!ended) {
        get.abort();
        result.code = abandonedCode;
        result.description =
            QStringLiteral("the firmware list transfer was abandoned: the application is quitting");
        return result;
    }
    if (stopped) {
        result.body.clear();
        return result;
    }

    QNetworkReply* reply = get.reply();
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
