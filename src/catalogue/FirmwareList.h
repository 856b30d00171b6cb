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

    // Fetches the catalogue and adds it to this list. On failure the user has been shown why
    // in a modal alert by the time it returns false, and the list is left as it was.
    bool load();

    // Every model name once, sorted by plain case-sensitive comparison.
    QStringList lotNames() const;

    // The version of that name, or null.
    std::shared_ptr<FirmwareVersion> version(const QString& name) const;

    // Adds the records of another list: versions replaced by name, compatibilities appended.
    void merge(const FirmwareList& other);
};

// The process-wide catalogue, created empty on first use.
FirmwareList& firmwareList();
// Tests only: empties the process-wide catalogue.
void resetFirmwareList();

} // namespace velt
