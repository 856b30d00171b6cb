// SPDX-License-Identifier: Apache-2.0
#include "catalogue/TargetFirmware.h"

#include "catalogue/FirmwareList.h"

namespace velt {

QStringList TargetFirmware::versionNamesForLot(const QString& lot) const
{
    for (const Compatibility& compatibility : firmwareList().compatibilities) {
        if (compatibility.lotName.contains(lot, Qt::CaseSensitive))
            return compatibility.versionNames;
    }
    return {};
}

namespace {
TargetFirmware& instance()
{
    static TargetFirmware target;
    return target;
}
} // namespace

TargetFirmware& targetFirmware()
{
    return instance();
}

void resetTargetFirmware()
{
    instance() = TargetFirmware();
}

} // namespace velt
