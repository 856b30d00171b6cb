// SPDX-License-Identifier: Apache-2.0
#include "update/FirmwareDownload.h"

#include "catalogue/FirmwareServer.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <sys/mman.h>
#include <thread>

namespace velt {
namespace {

// Pairs the image writer's post of its verdict with the main thread's receipt of it.
std::mutex writerHandoff;

constexpr qint64 replyReadBufferSize = 256 * 1024;

// Asks the kernel to back the buffer's spare capacity with huge pages. A whole image is tens
// of megabytes filled once: with 4 KiB pages, faulting them in costs more than copying and
// hashing the bytes, and the writer's pass over them is slower too. A hint only; where
// transparent huge pages are off, nothing changes.
void preferHugePages(QByteArray& buffer)
{
#ifdef MADV_HUGEPAGE
    constexpr quintptr hugePage = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<quintptr>(buffer.data() + buffer.size());
    const auto end = reinterpret_cast<quintptr>(buffer.data() + buffer.capacity());
    const quintptr alignedBegin = (begin + hugePage - 1) & ~(hugePage - 1);
    const quintptr alignedEnd = end & ~(hugePage - 1);
    if (alignedEnd > alignedBegin)
        madvise(reinterpret_cast<void*>(alignedBegin), alignedEnd - alignedBegin, MADV_HUGEPAGE);
#else
    Q_UNUSED(buffer);
#endif
}

// Writes the image in one piece: into a new file beside it, renamed over the old image only
// when everything was written, so a failed write never leaves half an image. Unlike QSaveFile
// it does not wait for the disk (fsync): that took as long as the rest of the write for a
// large image, and buys nothing here, since the image is flashed in this session from what was
// written and every session downloads it afresh.
QString writeImage(const QString& path, const QByteArray& image)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);

    // Parts left by a run that was killed while writing: nobody else writes them (one
    // instance per user), and each is as large as an image.
    const QDir dir(folder);
    const QString fileName = QFileInfo(path).fileName();
    for (const QString& part : dir.entryList({fileName + QStringLiteral(".*.part")},
                                             QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.filePath(part));

    // An unused name: NewOnly never opens a file someone else made.
    QFile file;
    for (int attempt = 0; attempt < 8 && !file.isOpen(); ++attempt) {
        file.setFileName(QStringLiteral("%1.%2.part")
                             .arg(path)
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists())
            return file.errorString();
    }
    if (!file.isOpen())
        return file.errorString();

    QString error;
    // The new file has the user's default permissions (umask), whatever mode the old image
    // was left with: an unreadable old image must not make every later image unreadable.
    if (file.write(image) != image.size() || !file.flush())
        error = file.errorString();
    file.close();
    if (error.isEmpty() && file.error() != QFileDevice::NoError)
        error = file.errorString();
    if (error.isEmpty() && ::rename(QFile::encodeName(file.fileName()).constData(),
                                    QFile::encodeName(path).constData()) != 0)
        error = qt_error_string(errno);
    if (!error.isEmpty())
        file.remove();
    return error;
}

} // namespace

FirmwareDownload::FirmwareDownload(QObject* parent) : QObject(parent) {}

FirmwareDownload::~FirmwareDownload()
{
    stopTransfer();
    // The image file is never left half-way; a verdict that arrives after this is dropped,
    // since the post holds only a guarded pointer.
    if (m_writerDone.valid())
        m_writerDone.wait();
}

void FirmwareDownload::start(const Target& target)
{
    m_expectedDigest = target.expectedDigest;
    m_filePath = target.filePath;
    m_transferTimeout = target.transferTimeout;

    if (!m_network) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        m_network = new QNetworkAccessManager(this);
    }
    request(target.url);
}

void FirmwareDownload::request(const QUrl& url)
{
    QNetworkRequest request(url);
    // Redirects are followed here, each checked against the server rules first. Qt 6.4's own
    // user-verified following ends a chain of more than two hops as a success with an interim
    // status and no body, and does not reliably say "too many redirects".
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    m_currentUrl = url;
    request.setTransferTimeout(int(m_transferTimeout.count()));
    m_reply = m_network->get(request);
    // Without a bound the network thread reads ahead as fast as the socket delivers, and the
    // main thread then copies and hashes tens of megabytes in one go, frozen meanwhile. A small
    // bound keeps every read short and lets the same few chunks be reused.
    m_reply->setReadBufferSize(replyReadBufferSize);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &FirmwareDownload::onMetaDataChanged);
    connect(m_reply, &QNetworkReply::readyRead, this, &FirmwareDownload::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &FirmwareDownload::onFinished);
}

bool FirmwareDownload::followRedirect()
{
    const int code = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl location = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (code < 300 || code >= 400 || location.isEmpty())
        return false;
    const QUrl to = m_currentUrl.resolved(location);
    const QString refusal = redirectRefusal(m_currentUrl, to);
    if (!refusal.isEmpty()) {
        logLine(refusal);
        fail(localizedString("Error_DownloadRedirectRefused") + QLatin1Char('\n') + refusal);
        return true;
    }
    if (++m_redirectsFollowed > maximumRedirects) {
        logLine(QStringLiteral("too many redirects, the last to ") + to.toString());
        fail(localizedString("Error_DownloadTooManyRedirects"));
        return true;
    }
    // The redirect's own body is no part of the image.
    m_reply->disconnect(this);
    m_reply->deleteLater();
    request(to);
    return true;
}

void FirmwareDownload::onMetaDataChanged()
{
    if (!m_ended && !m_responseAccepted)
        judgeResponse(false);
}

void FirmwareDownload::judgeResponse(bool transferEnded)
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        const int code = status.toInt();
        // The redirection target attribute is only set once the manager follows a redirect,
        // after this response's metadata has been reported: the Location header tells.
        // A followed redirect whose target then failed still shows the redirect's status:
        // the target's failure is the one to report.
        const bool redirecting =
            code >= 300 && code < 400 &&
            m_reply->hasRawHeader(QByteArrayLiteral("Location"));
        if (redirecting && !transferEnded)
            return; // the manager follows it, or refuses it with an error of its own
        if (code != 200) {
            fail(formatWithInteger(localizedString("Error_CouldNotDownLoadFirmware"), code));
            return;
        }
    } else if (!transferEnded) {
        return; // no response yet
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 expected = length.isValid() ? length.toLongLong() : -1;
    if (expected > maximumImageSize) {
        fail(localizedString("Error_FirmwareTooLarge"));
        return;
    }
    m_responseAccepted = true;
    if (expected > 0) {
        m_buffer.reserve(m_buffer.size() + expected);
        preferHugePages(m_buffer);
    }
    emit progressMaximumChanged(expected);
}

void FirmwareDownload::onReadyRead()
{
    if (!m_ended && !m_responseAccepted)
        judgeResponse(false);
    if (m_ended || !m_responseAccepted)
        return;
    const qint64 available = m_reply->bytesAvailable();
    if (available <= 0)
        return;
    if (m_buffer.size() + available > maximumImageSize) {
        fail(localizedString("Error_FirmwareTooLarge"));
        return;
    }
    // Read straight into the buffer: no temporary copy of each chunk.
    const qsizetype oldSize = m_buffer.size();
    m_buffer.resize(oldSize + available);
    const qint64 read = m_reply->read(m_buffer.data() + oldSize, available);
    m_buffer.resize(oldSize + std::max<qint64>(read, 0));
    if (read > 0)
        m_hash.addData(QByteArrayView(m_buffer.constData() + oldSize, read));
    emit progressValueChanged(m_buffer.size());
}

void FirmwareDownload::onFinished()
{
    if (m_ended)
        return;
    const bool transportFailed = m_reply->error() != QNetworkReply::NoError;
    if (!transportFailed && followRedirect())
        return;
    if (!m_responseAccepted)
        judgeResponse(!transportFailed);
    if (m_ended)
        return;
    if (transportFailed) {
        // Where a keyed text replaces Qt's own, Qt's text goes behind the alert's details.
        const QString text = transportFailureText();
        const QString network = m_reply->errorString();
        fail(text, text == network ? QString() : network);
        return;
    }
    onReadyRead();
    if (m_ended)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != m_buffer.size()) {
        // A body shorter than announced is a broken transfer, never a complete image.
        fail(localizedString("Error_DownloadIncomplete"));
        return;
    }
    m_ended = true;
    m_reply->deleteLater();
    m_reply = nullptr;
    storeAndVerify();
}

QString FirmwareDownload::transportFailureText() const
{
    switch (m_reply->error()) {
    case QNetworkReply::OperationCanceledError:
        // Transfers this stage stops itself are disconnected first: a cancelled transfer that
        // still reports here is one the transfer timeout ended, which Qt calls "cancelled".
        return localizedString("Error_DownloadTimedOut");
    case QNetworkReply::RemoteHostClosedError:
        // Once a body has begun, a closed connection means the image is incomplete.
        if (m_responseAccepted)
            return localizedString("Error_DownloadIncomplete");
        break;
    default:
        break;
    }
    return m_reply->errorString();
}

void FirmwareDownload::storeAndVerify()
{
    // The writer gets a thread of its own; the buffer is shared with it, not copied, and
    // nothing changes it any more. A thread pool would hand the task over through Qt's own
    // locks, which ThreadSanitizer cannot see; a thread's start and the handoff lock below are
    // crossings it does see.
    std::promise<void> written;
    m_writerDone = written.get_future();
    const QPointer<FirmwareDownload> self(this);
    std::thread([self, path = m_filePath, image = m_buffer,
                 written = std::move(written)]() mutable {
        const QString error = writeImage(path, image);
        {
            // The verdict is posted while the handoff lock is held, and the main thread takes
            // the lock before it touches what the post carries: everything written here
            // comes first.
            const std::lock_guard lock(writerHandoff);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, path, error] {
                    {
                        const std::lock_guard lock(writerHandoff);
                    }
                    if (self)
                        self->verifyStored(path, error);
                },
                Qt::QueuedConnection);
        }
        written.set_value();
    }).detach();
}

void FirmwareDownload::verifyStored(const QString& path, const QString& writeError)
{
    if (!writeError.isEmpty()) {
        // Nothing is flashed that this run did not write.
        fail(localizedString("Error_CouldNotSaveFirmware") + QLatin1Char('\n') + writeError);
        return;
    }
    logLine(QStringLiteral("saved to: ") + QUrl::fromLocalFile(path).toString());
    emit progressValueChanged(m_buffer.size());

    const QString digest = m_hash.hexDigest();
    if (digest != m_expectedDigest) {
        logLine(QStringLiteral("file hash does not match: ") + digest);
        fail(localizedString("Error_FileHashDoesNotMatch"));
        return;
    }
    logLine(QStringLiteral("file hash OK: ") + digest);
    emit verified(m_buffer.size());
}

void FirmwareDownload::fail(const QString& description, const QString& details)
{
    m_ended = true;
    stopTransfer();
    emit failed(VeltError::withDescription(VeltError::updateCode, description, details));
}

void FirmwareDownload::stopTransfer()
{
    if (!m_reply)
        return;
    m_reply->disconnect(this);
    m_reply->abort();
    m_reply->deleteLater();
    m_reply = nullptr;
}

} // namespace velt
