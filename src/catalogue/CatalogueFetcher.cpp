#include "catalogue/CatalogueFetcher.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

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

} // namespace

CatalogueFetcher::Result CatalogueFetcher::fetch(const QUrl& url, const LoadLimits& limits)
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QNetworkAccessManager manager;
    manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(static_cast<int>(limits.silence.count()));

    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    Result result;
    const QNetworkReply::NetworkError error = reply->error();
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (error == QNetworkReply::NoError || (answered && isHttpStatusError(error))) {
        result.ok = true;
        result.body = reply->readAll();
    } else {
        result.code = error;
        result.description = reply->errorString();
    }
    delete reply;
    return result;
}

} // namespace velt
