// SPDX-License-Identifier: Apache-2.0
#include "catalogue/Compatibility.h"

#include <nlohmann/json.hpp>

namespace velt {
namespace {

bool readStringArray(const nlohmann::json& object, const char* key, QStringList& field)
{
    const auto it = object.find(key);
    if (it == object.end() || !it->is_array())
        return false;
    QStringList values;
    values.reserve(static_cast<qsizetype>(it->size()));
    for (const auto& element : *it) {
        if (!element.is_string())
            return false;
        values.append(QString::fromStdString(element.get_ref<const std::string&>()));
    }
    field = std::move(values);
    return true;
}

QString listNotation(const QStringList& list)
{
    QStringList quoted;
    quoted.reserve(list.size());
    for (const QString& element : list)
        quoted.append(QLatin1Char('"') + element + QLatin1Char('"'));
    return QLatin1Char('[') + quoted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

} // namespace

std::optional<Compatibility> Compatibility::makeFromJSON(const nlohmann::json& object)
{
    if (!object.is_object())
        return std::nullopt;
    Compatibility compatibility;
    if (!readStringArray(object, "lot", compatibility.lotName) ||
        !readStringArray(object, "versions", compatibility.versionNames))
        return std::nullopt;
    return compatibility;
}

QString Compatibility::description() const
{
    return QStringLiteral("Compatibility: ") + listNotation(lotName) + QStringLiteral(" -> ") +
           listNotation(versionNames);
}

} // namespace velt
