// SPDX-License-Identifier: Apache-2.0
// FirmwareList::load lives apart from the records so that they, and the reader, need
// nothing of the network module.
#include "catalogue/CatalogueFetcher.h"
#include "catalogue/CatalogueReader.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "core/VeltError.h"

namespace velt {
namespace {

// details: the network's or the reader's own words, for the alert's details.
VeltError failure(const char* key, qint64 code, const QString& details)
{
    const QString message =
        localizedString(key) + QStringLiteral(" (") + QString::number(code) + QLatin1Char(')');
    return VeltError::withDescription(VeltError::catalogueCode, message, details);
}

VeltError retrievalFailure(const QString& description, qint64 code)
{
    logLine(description);
    return failure("Error_CouldNotRetrieveFirmwareList", code, description);
}

VeltError readFailure(qint64 code, const QString& detail)
{
    return failure("Error_CouldNotReadFirmwareList", code, detail);
}

} // namespace

std::optional<VeltError> FirmwareList::load(const LoadLimits& limits)
{
    const FirmwareServer& server = firmwareServer();
    if (!server.usable())
        return retrievalFailure(server.refusal, FirmwareServer::refusedCode);

    const CatalogueFetcher::Result fetched =
        CatalogueFetcher::fetch(QUrl(firmwareListURL()), limits);
    if (!fetched.ok)
        return retrievalFailure(fetched.description, fetched.code);

    // Read into a fresh list and merge only a whole, valid document, so a failed load
    // leaves the catalogue exactly as earlier loads filled it.
    const CatalogueReader::Result read = CatalogueReader::read(fetched.body);
    switch (read.outcome) {
    case CatalogueReader::Outcome::Read:
        break;
    case CatalogueReader::Outcome::NotUtf8:
        return retrievalFailure(read.detail, read.code);
    case CatalogueReader::Outcome::NotJson:
        return readFailure(read.code, read.detail);
    case CatalogueReader::Outcome::NotAnObject:
        logLine(QStringLiteral("bad json: ") + read.detail);
        return readFailure(read.code, read.detail);
    case CatalogueReader::Outcome::InvalidCatalogue:
        logLine(QStringLiteral("invalid firmware list: ") + read.detail);
        return readFailure(read.code, read.detail);
    }

    merge(read.list);
    logLine(versionsDescription());
    logLine(compatibilitiesDescription());
    return std::nullopt;
}

} // namespace velt
