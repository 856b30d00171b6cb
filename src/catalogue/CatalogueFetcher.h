// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "catalogue/FirmwareList.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace velt {

// Fetches one document with a plain GET and returns once the whole body has arrived or the
// transfer failed. The system's proxy settings apply, certificates are verified, a redirect
// is followed only where redirectRefusal (FirmwareServer.h) allows it, and a transfer is abandoned
// when it stalls for the silence limit, runs past the deadline or brings more than the body limit.
// Waits in a local event loop that holds back user input, so the window still repaints but
// the user cannot act. Main thread only.
class CatalogueFetcher
{
public:
    // Codes of the transfers this class ends itself (see CatalogueReader.h for the others).
    static constexpr qint64 timedOutCode = 904;
    static constexpr qint64 tooLargeCode = 905;
    static constexpr qint64 redirectRefusedCode = 906;

    struct Result
    {
        bool ok = false;
        QByteArray body;     // when ok
        qint64 code = 0;     // when not ok: one of the codes above or a QNetworkReply::NetworkError
        QString description; // when not ok: what happened, for the log
    };

    static Result fetch(const QUrl& url, const LoadLimits& limits);
};

} // namespace velt
