// SPDX-License-Identifier: Apache-2.0
#include "catalogue/CatalogueReader.h"

#include <QStringDecoder>
#include <nlohmann/json.hpp>

namespace velt {
namespace {

using nlohmann::json;

// nlohmann's dump() recurses once per nesting level, so a document of a few hundred
// kilobytes of "[" would overflow the stack while we only want to log it. This writes the
// same compact text down to a fixed depth and "..." below it.
constexpr int textFormDepth = 64;

void appendTextForm(std::string& out, const json& value, int depthLeft)
{
    if (!value.is_structured()) {
        out += value.dump();
        return;
    }
    const bool array = value.is_array();
    out += array ? '[' : '{';
    if (depthLeft == 0 && !value.empty()) {
        out += "...";
    } else {
        bool first = true;
        for (auto it = value.begin(); it != value.end(); ++it) {
            if (!first)
                out += ',';
            first = false;
            if (!array) {
                out += json(it.key()).dump();
                out += ':';
            }
            appendTextForm(out, *it, depthLeft - 1);
        }
    }
    out += array ? ']' : '}';
}

QString textForm(const json& value)
{
    std::string out;
    appendTextForm(out, value, textFormDepth);
    return QString::fromStdString(out);
}

CatalogueReader::Result failure(CatalogueReader::Outcome outcome, qint64 code, QString detail)
{
    CatalogueReader::Result result;
    result.outcome = outcome;
    result.code = code;
    result.detail = std::move(detail);
    return result;
}

CatalogueReader::Result invalid(const QString& detail)
{
    return failure(CatalogueReader::Outcome::InvalidCatalogue,
                   CatalogueReader::invalidCatalogueCode, detail);
}

const json* arrayMember(const json& object, const char* key)
{
    const auto it = object.find(key);
    return it != object.end() && it->is_array() ? &*it : nullptr;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

} // namespace

CatalogueReader::Result CatalogueReader::read(QByteArrayView document)
{
    if (!isUtf8(document))
        return failure(Outcome::NotUtf8, notUtf8Code,
                       QStringLiteral("the firmware list is not UTF-8 text"));

    // Valid UTF-8 decodes and encodes back to the same bytes (the parser skips a leading
    // byte order mark just as the decoder does), so the bytes are parsed as they came.
    json value;
    try {
        value = json::parse(document.begin(), document.end());
    } catch (const json::exception& error) {
        // parse_error for bad syntax; out_of_range 406 for a number beyond a double.
        return failure(Outcome::NotJson, error.id, QString::fromUtf8(error.what()));
    }
    if (!value.is_object())
        return failure(Outcome::NotAnObject, notAnObjectCode, textForm(value));

    const json* versionArray = arrayMember(value, "version");
    if (!versionArray)
        return invalid(QStringLiteral("\"version\" is missing or not an array"));
    const json* compatibilityArray = arrayMember(value, "compatibility");
    if (!compatibilityArray)
        return invalid(QStringLiteral("\"compatibility\" is missing or not an array"));

    Result result;
    qsizetype index = 0;
    for (const json& entry : *versionArray) {
        std::shared_ptr<FirmwareVersion> version = FirmwareVersion::makeFromJSON(entry);
        if (!version)
            return invalid(
                QStringLiteral("entry %1 of \"version\" is not a valid version object").arg(index));
        // A later entry of the same name replaces the earlier one.
        result.list.versions.insert(version->name, std::move(version));
        ++index;
    }
    index = 0;
    for (const json& entry : *compatibilityArray) {
        std::optional<Compatibility> compatibility = Compatibility::makeFromJSON(entry);
        if (!compatibility)
            return invalid(QStringLiteral("entry %1 of \"compatibility\" is not a valid "
                                          "compatibility object")
                               .arg(index));
        result.list.compatibilities.append(std::move(*compatibility));
        ++index;
    }
    return result;
}

} // namespace velt
