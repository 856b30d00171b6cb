// SPDX-License-Identifier: Apache-2.0
#include "cli/LocalImage.h"

#include "DfuFile.h"
#include "catalogue/FirmwareList.h"
#include "core/Diagnostics.h"
#include "update/Md5.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velt {
namespace {

const char* failureOf(dfu::DfuFileError error)
{
    switch (error) {
    case dfu::DfuFileError::None:
        return nullptr;
    case dfu::DfuFileError::Unreadable:
        return "Error_ImageUnreadable";
    case dfu::DfuFileError::TooLarge:
        return "Error_ImageTooLarge";
    case dfu::DfuFileError::Empty:
        return "Error_ImageEmpty";
    case dfu::DfuFileError::Corrupt:
        return "Error_ImageBadSuffix";
    case dfu::DfuFileError::IdMismatch:
        return "Error_ImageWrongDevice";
    }
    return "Error_ImageUnreadable";
}

// Written atomically: an interrupted copy leaves the previous file, never half of this one.
bool copyFile(const QString& source, const QString& destination, QString* error)
{
    QFile in(source);
    QSaveFile out(destination);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = in.errorString();
        return false;
    }
    if (!out.open(QIODevice::WriteOnly)) {
        *error = out.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray piece = in.read(1 << 20);
        if (piece.isEmpty() && in.error() != QFile::NoError) {
            *error = in.errorString();
            return false;
        }
        if (out.write(piece) != piece.size()) {
            *error = out.errorString();
            return false;
        }
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

LocalImage check(const QString& path, const QString& expectedMd5)
{
    LocalImage image;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        image.failureKey = "Error_ImageUnreadable";
        return image;
    }
    const QByteArray bytes = file.readAll();
    image.size = bytes.size();
    image.md5 = md5(bytes);
    const auto parsed = dfu::parseDfuFile(std::vector<uint8_t>(bytes.begin(), bytes.end()),
                                          quint16(QByteArray(dfuVendorId).toUShort(nullptr, 16)),
                                          quint16(QByteArray(dfuProductId).toUShort(nullptr, 16)));
    image.vendorId = parsed.file.vendorId;
    image.productId = parsed.file.productId;
    image.deviceRelease = parsed.file.deviceRelease;
    if (parsed.error != dfu::DfuFileError::None) {
        logLine(QStringLiteral("image check: ") + QString::fromStdString(parsed.message));
        image.failureKey = failureOf(parsed.error);
    } else if (!parsed.file.hasSuffix) {
        // The tool would send such a file whole; from a user's disk it is more likely no
        // firmware at all.
        image.failureKey = "Error_ImageNoSuffix";
    } else if (!expectedMd5.isEmpty() && image.md5 != expectedMd5.toLower()) {
        logLine(QStringLiteral("image check: MD5 %1, expected %2").arg(image.md5, expectedMd5));
        image.failureKey = "Error_ImageDigestMismatch";
    }
    return image;
}

} // namespace

LocalImage LocalImage::copyAndCheck(const QString& source, const QString& destination,
                                    const QString& expectedMd5)
{
    LocalImage image;
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.isFile() || !sourceInfo.isReadable()) {
        image.failureKey = "Error_ImageUnreadable";
        return image;
    }
    // Known before a byte is copied: a wrong file may be a disk image of gigabytes.
    if (sourceInfo.size() > qint64(dfu::kMaxImageSize)) {
        image.failureKey = "Error_ImageTooLarge";
        return image;
    }
    const QFileInfo destinationInfo(destination);
    const bool inPlace = destinationInfo.exists() &&
                         sourceInfo.canonicalFilePath() == destinationInfo.canonicalFilePath();
    if (!inPlace) {
        QString error;
        if (!QDir().mkpath(destinationInfo.absolutePath()) ||
            !copyFile(source, destination, &error)) {
            logLine(QStringLiteral("could not copy %1 to %2: %3").arg(source, destination, error));
            image.failureKey = "Error_CouldNotSaveFirmware";
            return image;
        }
    }
    image = check(destination, expectedMd5);
    if (!image.passed() && !inPlace)
        QFile::remove(destination);
    return image;
}

} // namespace velt
