#pragma once

#include "catalogue/Compatibility.h"
#include "catalogue/FirmwareVersion.h"

#include <QHash>
#include <QList>

namespace velt {

// USB ids of the device in DFU mode, handed to the flashing tool.
inline constexpr const char* dfuVendorId = "0a12";
inline constexpr const char* dfuProductId = "ffff";

// The firmware catalogue. Main thread only.
class FirmwareList
{
public:
    QHash<QString, std::shared_ptr<FirmwareVersion>> versions;
    QList<Compatibility> compatibilities;

    // <server>/updater/firmwareList.json and <server>/updater/dfu/ (see FirmwareServer.h).
    static QString firmwareListURL();
    static QString firmwareBaseURL();

    // Fetches the catalogue from firmwareListURL() and adds it to this list: versions replaced
    // by name, compatibilities appended. Writes both records' text forms as two log lines.
    // On failure the user has been shown why in a modal alert (VeltError code 1000) by the
    // time it returns false, and the list is left exactly as it was. The alert reads
    // "Error_CouldNotRetrieveFirmwareList" (after a log line with the reason) when the server
    // was refused (code 903), the transfer failed (the QNetworkReply error) or the body is not
    // UTF-8 (900); "Error_CouldNotReadFirmwareList" when the document is not JSON (the
    // parser's id), not an object (901, after a "bad json: " line) or not a catalogue (902,
    // after an "invalid firmware list: " line). The HTTP status is not looked at.
    bool load();

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
