// SPDX-License-Identifier: Apache-2.0
#include "catalogue/FirmwareList.h"

#include "catalogue/FirmwareServer.h"

#include <QSet>
#include <algorithm>

namespace velt {

QString FirmwareList::firmwareListURL()
{
    return firmwareServer().origin + QStringLiteral("/updater/firmwareList.json");
}

QString FirmwareList::firmwareBaseURL()
{
    return firmwareBaseURL(firmwareServer().origin);
}

QString FirmwareList::firmwareBaseURL(const QString& origin)
{
    return origin + QStringLiteral("/updater/dfu/");
}

QStringList FirmwareList::lotNames() const
{
    QStringList names;
    QSet<QString> seen;
    for (const Compatibility& compatibility : compatibilities) {
        for (const QString& lot : compatibility.lotName) {
            if (!seen.contains(lot)) {
                seen.insert(lot);
                names.append(lot);
            }
        }
    }
    // QString's operator< compares UTF-16 code units: no locale, upper case before lower.
    std::sort(names.begin(), names.end());
    return names;
}

std::shared_ptr<FirmwareVersion> FirmwareList::version(const QString& name) const
{
    return versions.value(name);
}

void FirmwareList::merge(const FirmwareList& other)
{
    for (auto it = other.versions.cbegin(); it != other.versions.cend(); ++it)
        versions.insert(it.key(), it.value());
    compatibilities.append(other.compatibilities);
}

QString FirmwareList::versionsDescription() const
{
    if (versions.isEmpty())
        return QStringLiteral("[:]");
    QStringList entries;
    entries.reserve(versions.size());
    for (auto it = versions.cbegin(); it != versions.cend(); ++it)
        entries.append(QLatin1Char('"') + it.key() + QStringLiteral("\": ") +
                       it.value()->description());
    return QLatin1Char('[') + entries.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString FirmwareList::compatibilitiesDescription() const
{
    QStringList entries;
    entries.reserve(compatibilities.size());
    for (const Compatibility& compatibility : compatibilities)
        entries.append(compatibility.description());
    return QLatin1Char('[') + entries.join(QStringLiteral(", ")) + QLatin1Char(']');
}

namespace {
FirmwareList& instance()
{
    static FirmwareList list;
    return list;
}
} // namespace

FirmwareList& firmwareList()
{
    return instance();
}

void resetFirmwareList()
{
    instance() = FirmwareList();
}

} // namespace velt
