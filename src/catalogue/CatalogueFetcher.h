#pragma once

#include "catalogue/FirmwareList.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace velt {

// Fetches one document with a plain GET and returns once the whole body has arrived or the
// transfer failed. The system's proxy settings apply, certificates are verified, redirects
// may not lead to a less safe scheme and a transfer that stalls for the limit is abandoned.
// Waits in a local event loop that holds back user input, so the window still repaints but
// the user cannot act. Main thread only.
class CatalogueFetcher
{
public:
    struct Result
    {
        bool ok = false;
        QByteArray body;     // when ok
        qint64 code = 0;     // QNetworkReply::NetworkError when not ok
        QString description; // the network layer's own text when not ok
    };

    static Result fetch(const QUrl& url, const LoadLimits& limits);
};

} // namespace velt
