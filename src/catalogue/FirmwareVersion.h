// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QUrl>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <optional>

namespace velt {

// One firmware image on the server. Shared, not copied: the catalogue's map and the user's
// selection hold the same instance.
class FirmwareVersion
{
public:
    QString name;        // "name"
    QString fileName;    // "filename"
    QString md5hash;     // "md5", 32 lower-case hex digits
    QString releaseDate; // "release_date", free text shown verbatim

    // Reads one version object. Null when it is not an object, or when a key is missing or
    // its value is not a JSON string.
    static std::shared_ptr<FirmwareVersion> makeFromJSON(const nlohmann::json& object);

    // "FirmwareVersion: name fileName md5hash releaseDate"
    QString description() const;

    // firmwareBaseURL immediately followed by fileName (no separator, no escaping); none when
    // that text does not parse as a URL.
    std::optional<QUrl> downloadURL() const;
    // The same address on the server of that origin (scheme://host[:port]).
    std::optional<QUrl> downloadURL(const QString& origin) const;
};

} // namespace velt
