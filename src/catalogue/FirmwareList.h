// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "catalogue/Compatibility.h"
#include "catalogue/FirmwareVersion.h"
#include "core/VeltError.h"

#include <QHash>
#include <QList>
#include <chrono>
#include <optional>

namespace velt {

// USB ids of the device in DFU mode, handed to the flashing tool.
inline constexpr const char* dfuVendorId = "0a12";
inline constexpr const char* dfuProductId = "ffff";

// How long fetching the catalogue may take. Tests pass shorter ones.
struct LoadLimits
{
    // Longest time the transfer may go without receiving data.
    std::chrono::milliseconds silence{60'000};
    // Longest time the whole transfer may take, however steadily data arrives.
    std::chrono::milliseconds deadline{60'000};
    // The largest body accepted; a catalogue is a few kilobytes.
    qint64 maxBodyBytes = 16 * 1024 * 1024;
};

// The firmware catalogue. Main thread only.
class FirmwareList
{
public:
    QHash<QString, std::shared_ptr<FirmwareVersion>> versions;
    QList<Compatibility> compatibilities;

    // <server>/updater/firmwareList.json and <server>/updater/dfu/ (see FirmwareServer.h).
    static QString firmwareListURL();
    static QString firmwareBaseURL();
    // <origin>/updater/dfu/ for a server given as scheme://host[:port].
    static QString firmwareBaseURL(const QString& origin);

    // Fetches the catalogue from firmwareListURL() and adds it to this list: versions replaced
    // by name, compatibilities appended, then both records' text forms written as two log lines.
    // Shows nothing: on failure it returns the error for the caller to show (VeltError code 1000,
    // the description "<message> (<code>)") and leaves the list exactly as it was. The message is
    // "Error_CouldNotRetrieveFirmwareList" (after a log line with the reason) when the server was
    // refused (code 903), the transfer failed (the QNetworkReply error), timed out (904), brought
    // more than the limit (905), was redirected where it may not go (906) or the body is not UTF-8
    // (900); "Error_CouldNotReadFirmwareList" when the document is not JSON (the parser's id), not
    // an object (901, after a "bad json: " line) or not a catalogue (902, after an "invalid
    // firmware list: " line). The HTTP status is not looked at. Blocks, waiting in a local event
    // loop that holds back user input.
    std::optional<VeltError> load(const LoadLimits& limits = {});

    // Every model name once, sorted by plain case-sensitive comparison.
    QStringList lotNames() const;

    // The version of that name, or null.
    std::shared_ptr<FirmwareVersion> version(const QString& name) const;

    // Adds the records of another list: versions replaced by name, compatibilities appended.
    void merge(const FirmwareList& other);

    // ["name": FirmwareVersion: ..., ...] in no particular order ("[:]" when empty), and
    // [Compatibility: ..., ...] in list order.
    QString versionsDescription() const;
    QString compatibilitiesDescription() const;
};

// The process-wide catalogue, created empty on first use.
FirmwareList& firmwareList();
// Tests only: empties the process-wide catalogue.
void resetFirmwareList();

} // namespace velt
