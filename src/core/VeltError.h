// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace velt {

// The error record every failure reaches the user with: domain "VELT", a numeric code and
// the localized description the alert shows, with the underlying details where known.
struct VeltError
{
    static constexpr const char* domainName = "VELT";
    static constexpr qint64 catalogueCode = 1000; // the catalogue could not be fetched or read
    static constexpr qint64 updateCode = 0;       // download and flashing failures

    QString domain = QString::fromLatin1(domainName);
    qint64 code = 0;
    QString localizedDescription;
    // What the failing party said in its own words (the tool's error output, the network's
    // error text), offered behind the alert's details; empty when there is nothing to add.
    QString details;

    static VeltError withDescription(qint64 code, const QString& description,
                                     const QString& details = {});
};

} // namespace velt
