// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

class QUrl;

namespace velt {

// The firmware server's origin ("https://host[:port]"). The default comes from the build
// (VELT_FIRMWARE_HOST); VELT_FIRMWARE_SERVER overrides it at start-up. Plain http is only
// accepted for loopback hosts.
struct FirmwareServer
{
    // Shown in parentheses after the retrieval failure message when the catalogue is not
    // fetched because the configured server was refused.
    static constexpr qint64 refusedCode = 903;

    QString origin;  // scheme://host[:port], no trailing slash
    QString refusal; // why the configured server may not be used; empty when it may

    bool usable() const { return refusal.isEmpty(); }
};

// The server in use.
const FirmwareServer& firmwareServer();

// Reads VELT_FIRMWARE_SERVER (when set) into the server in use; writes a diagnostic line when
// the value is refused. Called once at start-up.
void configureFirmwareServerFromEnvironment();

// Uses the given origin (tests, start-up); returns the server as accepted or refused.
const FirmwareServer& setFirmwareServer(const QString& origin);

// Whether a transfer from `from` may follow a redirect to `to` (resolved against `from` when
// relative); empty when it may, otherwise why not. The same rule as for the server itself:
// https anywhere; plain http only from a loopback http address to a loopback host, so a
// redirect can never take a transfer off TLS or off this machine without it.
QString redirectRefusal(const QUrl& from, const QUrl& to);

} // namespace velt
