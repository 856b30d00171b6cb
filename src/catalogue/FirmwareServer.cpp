// SPDX-License-Identifier: Apache-2.0
#include "catalogue/FirmwareServer.h"

#include "core/Diagnostics.h"

#include <QRegularExpression>
#include <QUrl>

namespace velt {
namespace {

FirmwareServer& current()
{
    static FirmwareServer server{QStringLiteral("https://" VELT_FIRMWARE_HOST), {}};
    return server;
}

// QUrl has already normalised an address literal in the host ("127.1", "0x7f000001" and
// "2130706433" all read as "127.0.0.1"; "[0:0::1]" as "::1"), so comparing its text form is
// enough and keeps this part free of the network module.
bool isLoopbackHost(const QString& host)
{
    static const QRegularExpression ipv4Loopback(
        QStringLiteral("^(?:::ffff:)?127\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}$"));
    return host == u"localhost" || host == u"::1" || ipv4Loopback.match(host).hasMatch();
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
    server.origin = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery |
                                 QUrl::RemoveFragment | QUrl::StripTrailingSlash)
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

QString redirectRefusal(const QUrl& from, const QUrl& to)
{
    const QUrl target = from.resolved(to);
    const QString shown = target.toDisplayString(QUrl::RemoveUserInfo);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || target.host().isEmpty() || (scheme != u"https" && scheme != u"http"))
        return QStringLiteral("refusing a redirect to an address that is not http(s): ") + shown;
    if (scheme == u"https")
        return {};
    if (from.scheme().toLower() != u"http")
        return QStringLiteral("refusing a redirect from https to plain http: ") + shown;
    if (!isLoopbackHost(target.host()) || !isLoopbackHost(from.host()))
        return QStringLiteral("refusing a redirect to plain http on a non-loopback host: ") + shown;
    return {};
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
