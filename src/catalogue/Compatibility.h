// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStringList>
#include <nlohmann/json_fwd.hpp>
#include <optional>

namespace velt {

// Which versions suit which models ("lots"). The first version is a model's original one,
// the last its newest.
class Compatibility
{
public:
    QStringList lotName;      // "lot"
    QStringList versionNames; // "versions"

    // None when the value is not an object, or "lot"/"versions" is missing or not an array of
    // strings.
    static std::optional<Compatibility> makeFromJSON(const nlohmann::json& object);

    // Compatibility: ["A", "B"] -> ["1.0"]
    QString description() const;
};

} // namespace velt
