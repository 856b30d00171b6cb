// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "catalogue/FirmwareVersion.h"

#include <QStringList>

namespace velt {

// The user's choice of model and version. Main thread only.
class TargetFirmware
{
public:
    QString lotName;
    std::shared_ptr<FirmwareVersion> firmwareVersion;

    // The versions of the first compatibility record of firmwareList() naming the model
    // (case-sensitive); empty when none does.
    QStringList versionNamesForLot(const QString& lot) const;
};

// The process-wide selection, created on first use.
TargetFirmware& targetFirmware();
// Tests only: back to no model and no version.
void resetTargetFirmware();

} // namespace velt
