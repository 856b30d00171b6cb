#pragma once

#include <QString>

namespace velt {

// The error record every failure reaches the user with: domain "VELT", a numeric code and
// the localized description the alert shows.
struct VeltError
{
    static constexpr const char* domainName = "VELT";
    static constexpr qint64 catalogueCode = 1000; // the catalogue could not be fetched or read
    static constexpr qint64 updateCode = 0;       // download and flashing failures

    QString domain = QString::fromLatin1(domainName);
    qint64 code = 0;
    QString localizedDescription;

    static VeltError withDescription(qint64 code, const QString& description);
};

} // namespace velt
