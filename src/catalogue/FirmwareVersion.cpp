// SPDX-License-Identifier: Apache-2.0
#include "catalogue/FirmwareVersion.h"

#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"

#include <nlohmann/json.hpp>

namespace velt {
namespace {

bool readString(const nlohmann::json& object, const char* key, QString& field)
{
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string())
        return false;
    field = QString::fromStdString(it->get_ref<const std::string&>());
    return true;
}

} // namespace

std::shared_ptr<FirmwareVersion> FirmwareVersion::makeFromJSON(const nlohmann::json& object)
{
    if (!object.is_object())
        return nullptr;
    auto version = std::make_shared<FirmwareVersion>();
    if (!readString(object, "name", version->name) ||
        !readString(object, "filename", version->fileName) ||
        !readString(object, "md5", version->md5hash) ||
        !readString(object, "release_date", version->releaseDate))
        return nullptr;
    return version;
}

QString FirmwareVersion::description() const
{
    return QStringLiteral("FirmwareVersion: %1 %2 %3 %4").arg(name, fileName, md5hash, releaseDate);
}

std::optional<QUrl> FirmwareVersion::downloadURL() const
{
    return downloadURL(firmwareServer().origin);
}

std::optional<QUrl> FirmwareVersion::downloadURL(const QString& origin) const
{
    // The name is appended as the catalogue gives it, so a name that does not make a valid
    // address is refused rather than mended.
    const QUrl url(FirmwareList::firmwareBaseURL(origin) + fileName, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        return std::nullopt;
    return url;
}

} // namespace velt
