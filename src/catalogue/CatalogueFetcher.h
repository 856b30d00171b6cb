// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "catalogue/FirmwareList.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace velt {

// Fetches one document with a plain GET (ServerGet: redirects by the server rules) and returns
// once the whole body has arrived or the transfer failed. Certificates are verified, and a
// transfer is abandoned when it stalls for the silence limit, runs past the deadline or brings
// more than the body limit. Waits in a local event loop that holds back user input, so the
// window still repaints but the user cannot act; when the application quits meanwhile, the
// transfer ends unfinished (abandonedCode). Main thread only.
class CatalogueFetcher
{
public:
    // Codes of the transfers this class ends itself (see CatalogueReader.h for the others).
    static constexpr qint64 timedOutCode = 904;
    static constexpr qint64 tooLargeCode = 905;
    static constexpr qint64 redirectRefusedCode = 906;
    static constexpr qint64 tooManyRedirectsCode = 907;
    static constexpr qint64 abandonedCode = 908;

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
