// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace velt {

// A firmware image from the user's own disk (a file support sent), checked before anything is
// written: a DFU suffix with a valid CRC, a payload, the suffix's ids those of the device in DFU
// mode (0a12:ffff) or the wildcard, at most 256 MiB, and the digest the user was given.
struct LocalImage
{
    // The message key of the first check that failed; null when every check passed.
    const char* failureKey = nullptr;
    QString md5;
    qint64 size = 0;
    quint16 vendorId = 0;
    quint16 productId = 0;
    quint16 deviceRelease = 0;

    bool passed() const { return failureKey == nullptr; }

    // Copies the file to destination, the Documents path a catalogue update uses (its folder
    // made when missing), so the check before every run of the tool is the same; then checks
    // the copy, whose digest is the one every run checks again. A file that already is the
    // destination is not copied, so it is never truncated. A copy that fails a check is
    // removed. expectedMd5 may be empty (no digest given).
    static LocalImage copyAndCheck(const QString& source, const QString& destination,
                                   const QString& expectedMd5);
};

} // namespace velt
