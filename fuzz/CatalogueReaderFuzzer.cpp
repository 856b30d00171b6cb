// SPDX-License-Identifier: Apache-2.0
// Feeds arbitrary bytes to the catalogue reader and checks what it promises: it never crashes
// or overflows, it reports every failure with its documented code and no records, and a
// document it accepts gives records whose lookups and text forms hold together.
#include "catalogue/CatalogueReader.h"
#include "catalogue/TargetFirmware.h"

#include <QSet>
#include <cstdint>
#include <cstdlib>

using velt::CatalogueReader;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRecords(const velt::FirmwareList& list)
{
    for (auto it = list.versions.cbegin(); it != list.versions.cend(); ++it) {
        require(it.value() && it.value()->name == it.key());
        require(it.value()->description().startsWith(QStringLiteral("FirmwareVersion: ")));
        if (const auto url = it.value()->downloadURL())
            require(url->isValid());
    }
    QSet<QString> lots;
    for (const velt::Compatibility& compatibility : list.compatibilities) {
        require(compatibility.description().startsWith(QStringLiteral("Compatibility: [")));
        for (const QString& lot : compatibility.lotName)
            lots.insert(lot);
    }
    const QStringList names = list.lotNames();
    require(names.size() == lots.size());
    for (qsizetype i = 1; i < names.size(); ++i)
        require(names[i - 1] < names[i]);

    // A second merge keeps the versions and repeats every compatibility record.
    velt::FirmwareList twice;
    twice.merge(list);
    twice.merge(list);
    require(twice.versions.size() == list.versions.size());
    require(twice.compatibilities.size() == 2 * list.compatibilities.size());
    require(twice.lotNames() == names);
    require(!twice.versionsDescription().isEmpty());
    require(!twice.compatibilitiesDescription().isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CatalogueReader::Result result = CatalogueReader::read(bytes);

    // Only text that survives a decode and encode unchanged may get past the UTF-8 check
    // (decoding drops a leading byte order mark).
    const QByteArrayView unmarked = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    const bool roundTrips = QString::fromUtf8(bytes).toUtf8() == unmarked;
    require(roundTrips == (result.outcome != CatalogueReader::Outcome::NotUtf8));

    switch (result.outcome) {
    case CatalogueReader::Outcome::Read:
        require(result.code == 0);
        checkRecords(result.list);
        return 0;
    case CatalogueReader::Outcome::NotUtf8:
        require(result.code == CatalogueReader::notUtf8Code);
        break;
    case CatalogueReader::Outcome::NotJson:
        require((result.code >= 101 && result.code <= 116) || result.code == 406);
        break;
    case CatalogueReader::Outcome::NotAnObject:
        require(result.code == CatalogueReader::notAnObjectCode);
        require(!result.detail.isEmpty());
        break;
    case CatalogueReader::Outcome::InvalidCatalogue:
        require(result.code == CatalogueReader::invalidCatalogueCode);
        break;
    }
    require(result.list.versions.isEmpty() && result.list.compatibilities.isEmpty());
    return 0;
}
