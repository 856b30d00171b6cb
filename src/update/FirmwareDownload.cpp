// SPDX-License-Identifier: Apache-2.0
#include "update/FirmwareDownload.h"

#include "catalogue/ServerGet.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "update/Md5.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velt {
namespace {

// Without a bound the network layer reads ahead as fast as the socket delivers, and the main
// thread then hashes and writes tens of megabytes in one go, the window frozen meanwhile. A
// small bound keeps every read short and lets one chunk be reused.
constexpr qint64 replyReadBufferSize = 256 * 1024;

// Frees a file that no name refers to any more, a slice per event-loop turn. Dropped at once,
// the cached pages of an image of tens of megabytes hold the window for tens of milliseconds.
void releaseInSlices(int descriptor)
{
    constexpr off_t slice = 1024 * 1024;
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || status.st_nlink != 0 || status.st_size <= slice ||
        ::ftruncate(descriptor, status.st_size - slice) != 0) {
        ::close(descriptor);
        return;
    }
    QTimer::singleShot(0, QCoreApplication::instance(),
                       [descriptor] { releaseInSlices(descriptor); });
}

} // namespace

FirmwareDownload::FirmwareDownload(QObject* parent) : QObject(parent) {}

FirmwareDownload::~FirmwareDownload()
{
    // Quitting in the middle of a transfer leaves no part behind.
    discardPartFile();
}

void FirmwareDownload::start(const Target& target)
{
    m_expectedDigest = target.expectedDigest;
    m_filePath = target.filePath;

    // Parts left by a run that was killed while downloading: nobody else writes them (one
    // instance per user), and each may be as large as an image.
    const QDir dir = QFileInfo(m_filePath).absoluteDir();
    const QString fileName = QFileInfo(m_filePath).fileName();
    for (const QString& part : dir.entryList({fileName + QStringLiteral(".*.part")},
                                             QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.filePath(part));

    m_get = new ServerGet(target.transferTimeout, replyReadBufferSize, this);
    connect(m_get, &ServerGet::metaDataChanged, this, [this] { judgeResponse(false); });
    connect(m_get, &ServerGet::readyRead, this, &FirmwareDownload::onReadyRead);
    connect(m_get, &ServerGet::finished, this, &FirmwareDownload::onFinished);
    connect(m_get, &ServerGet::redirectFailed, this,
            [this](ServerGet::RedirectFailure failure, const QString& reason) {
                logLine(reason);
                if (failure == ServerGet::RedirectFailure::Refused)
                    fail(localizedString("Error_DownloadRedirectRefused"), reason);
                else
                    fail(localizedString("Error_DownloadTooManyRedirects"));
            });
    m_get->start(target.url);
}

QString FirmwareDownload::openPartFile()
{
    const QString folder = QFileInfo(m_filePath).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);
    // An unused name: NewOnly never opens a file someone else made. The new file has the
    // user's default permissions (umask), whatever mode the old image was left with: an
    // unreadable old image must not make every later image unreadable.
    for (int attempt = 0; attempt < 8; ++attempt) {
        m_part.setFileName(
            QStringLiteral("%1.%2.part")
                .arg(m_filePath)
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (m_part.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return {};
        if (!m_part.exists())
            break;
    }
    const QString reason = m_part.errorString();
    m_part.setFileName(QString());
    return reason;
}

void FirmwareDownload::judgeResponse(bool transferEnded)
{
    if (m_ended || m_responseAccepted)
        return;
    const QNetworkReply* reply = m_get->reply();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        const int code = status.toInt();
        if (code != 200) {
            fail(formatWithInteger(localizedString("Error_CouldNotDownLoadFirmware"), code));
            return;
        }
    } else if (!transferEnded) {
        return; // no response yet
    }
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 expected = length.isValid() ? length.toLongLong() : -1;
    if (expected > maximumImageSize) {
        fail(localizedString("Error_FirmwareTooLarge"));
        return;
    }
    if (const QString error = openPartFile(); !error.isEmpty()) {
        failToSave(error);
        return;
    }
    // Claiming the announced size at once finds a full disk before the transfer, and spares
    // the rename over the old image a flush of the whole new one (ext4 forces out data not yet
    // placed on disk when a file replaces another).
    if (expected > 0 && ::fallocate(m_part.handle(), 0, 0, expected) != 0 &&
        (errno == ENOSPC || errno == EFBIG || errno == EDQUOT)) {
        failToSave(qt_error_string(errno));
        return;
    }
    m_responseAccepted = true;
    m_chunk.resize(replyReadBufferSize);
    m_maximum = expected;
    emit progressChanged(m_received, m_maximum);
}

void FirmwareDownload::onReadyRead()
{
    judgeResponse(false);
    if (m_ended || !m_responseAccepted)
        return;
    QNetworkReply* reply = m_get->reply();
    while (reply->bytesAvailable() > 0) {
        if (m_received + reply->bytesAvailable() > maximumImageSize) {
            fail(localizedString("Error_FirmwareTooLarge"));
            return;
        }
        const qint64 read = reply->read(m_chunk.data(), m_chunk.size());
        if (read <= 0)
            break;
        m_hash.addData(QByteArrayView(m_chunk.constData(), read));
        // A short write says no reason; writing the rest then gives it (a full disk, the
        // file size limit).
        for (qint64 written = 0; written < read;) {
            const qint64 count = m_part.write(m_chunk.constData() + written, read - written);
            if (count <= 0) {
                failToSave(m_part.errorString());
                return;
            }
            written += count;
        }
        m_received += read;
    }
    emit progressChanged(m_received, m_maximum);
}

void FirmwareDownload::onFinished()
{
    if (m_ended)
        return;
    const QNetworkReply* reply = m_get->reply();
    const QNetworkReply::NetworkError error = reply->error();
    judgeResponse(error == QNetworkReply::NoError);
    if (m_ended)
        return;
    // Where a keyed text replaces Qt's own, which is English, Qt's text goes behind the alert's
    // details.
    if (error == QNetworkReply::OperationCanceledError) {
        // Transfers this stage stops itself are disconnected first: a cancelled transfer that
        // still reports here is one the transfer timeout ended, which Qt calls "cancelled".
        fail(localizedString("Error_DownloadTimedOut"), reply->errorString());
        return;
    }
    if (error != QNetworkReply::NoError) {
        // Once a body has begun, a closed connection means the image is incomplete.
        const bool cut = error == QNetworkReply::RemoteHostClosedError && m_responseAccepted;
        fail(localizedString(cut ? "Error_DownloadIncomplete" : "Error_DownloadFailed"),
             reply->errorString());
        return;
    }
    onReadyRead();
    if (m_ended)
        return;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != m_received) {
        // A body shorter than announced is a broken transfer, never a complete image.
        fail(localizedString("Error_DownloadIncomplete"));
        return;
    }
    m_ended = true;
    storeAndVerify();
}

// The whole body is in the part file: it takes the image's place, and only then is its digest
// compared, so an image that does not match stays on disk for inspection. The disk is not
// waited for (fsync): the image is flashed in this session from what was written, and every
// session downloads it afresh.
void FirmwareDownload::storeAndVerify()
{
    m_part.close();
    if (m_part.error() != QFileDevice::NoError) {
        failToSave(m_part.errorString());
        return;
    }
    // The old image, held open so that the rename only takes its name (none: -1).
    const int oldImage =
        ::open(QFile::encodeName(m_filePath).constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (::rename(QFile::encodeName(m_part.fileName()).constData(),
                 QFile::encodeName(m_filePath).constData()) != 0) {
        const int error = errno;
        if (oldImage >= 0)
            ::close(oldImage);
        failToSave(qt_error_string(error));
        return;
    }
    if (oldImage >= 0)
        QTimer::singleShot(0, QCoreApplication::instance(),
                           [oldImage] { releaseInSlices(oldImage); });
    m_part.setFileName(QString());
    logLine(QStringLiteral("saved to: ") + QUrl::fromLocalFile(m_filePath).toString());
    emit progressChanged(m_received, m_maximum);

    const QString digest = hexDigest(m_hash);
    if (digest != m_expectedDigest) {
        logLine(QStringLiteral("file hash does not match: ") + digest);
        fail(localizedString("Error_FileHashDoesNotMatch"));
        return;
    }
    logLine(QStringLiteral("file hash OK: ") + digest);
    emit verified(m_received);
}

void FirmwareDownload::fail(const QString& description, const QString& details)
{
    m_ended = true;
    m_get->abort();
    discardPartFile();
    emit failed(VeltError::withDescription(VeltError::updateCode, description, details));
}

// Nothing is flashed that this run did not write.
void FirmwareDownload::failToSave(const QString& reason)
{
    fail(localizedString("Error_CouldNotSaveFirmware"), reason);
}

void FirmwareDownload::discardPartFile()
{
    if (m_part.fileName().isEmpty())
        return;
    m_part.close();
    m_part.remove();
    m_part.setFileName(QString());
}

} // namespace velt
