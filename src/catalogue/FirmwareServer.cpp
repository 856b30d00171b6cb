#include "catalogue/FirmwareServer.h"

#include "core/Diagnostics.h"

#include <QHostAddress>
#include <QUrl>

namespace velt {
namespace {

FirmwareServer& current()
{
    static FirmwareServer server{QStringLiteral("https://" VELT_FIRMWARE_HOST), {}};
    return server;
}

bool isLoopbackHost(const QString& host)
{
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

} // namespace

const FirmwareServer& firmwareServer()
{
    return current();
}

const FirmwareServer& setFirmwareServer(const QString& origin)
{
    FirmwareServer server;
    const QUrl url(origin.trimmed(), QUrl::StrictMode);
    server.origin = url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                                 QUrl::StripTrailingSlash)
                        .toString();
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"https" && scheme != u"http")) {
        server.refusal = QStringLiteral("not a firmware server address: ") + origin;
    } else if (scheme == u"http" && !isLoopbackHost(url.host())) {
        server.refusal =
            QStringLiteral("refusing plain http for a non-loopback firmware server: ") + origin;
    }
    current() = server;
    return current();
}

void configureFirmwareServerFromEnvironment()
{
    const QString origin = qEnvironmentVariable("VELT_FIRMWARE_SERVER");
    if (origin.isEmpty())
        return;
    const FirmwareServer& server = setFirmwareServer(origin);
    if (!server.usable())
        logLine(server.refusal);
}

} // namespace velt
