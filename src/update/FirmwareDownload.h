// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QObject>
#include <QUrl>
#include <chrono>

namespace velt {

class ServerGet;

// Downloads the chosen firmware image, stores it as veltFirmwareUpdate.dfu in the Documents
// folder and checks its MD5 against the catalogue. Lives on the main thread; the page shows
// what it reports through the signals. Only HTTP status 200 is accepted. The body is hashed
// and written to a part file beside the image as it arrives, and the part file is renamed
// over the image once the whole body is in: the image's path never holds a partial file, and
// an earlier image stays until then.
class FirmwareDownload : public QObject
{
    Q_OBJECT

public:
    // A larger response is refused: a broken or hostile server must not fill the disk.
    static constexpr qint64 maximumImageSize = 256 * 1024 * 1024;

    explicit FirmwareDownload(QObject* parent = nullptr);
    ~FirmwareDownload() override;

    // What to fetch, what its digest must be and where to keep it.
    struct Target
    {
        QUrl url;
        QString expectedDigest; // MD5, 32 lower-case hexadecimal digits
        QString filePath;
        std::chrono::milliseconds transferTimeout{60'000};
    };

    // Starts the transfer. Failures are reported through failed().
    void start(const Target& target);

signals:
    // Body bytes received so far, of maximum (-1 while the length is not known).
    void progressChanged(qint64 received, qint64 maximum);
    void failed(const velt::VeltError& error);
    // The image is stored at the target's path and its digest matches the catalogue.
    void verified(qint64 imageSize);

private:
    // Opens a new part file beside the image; the reason when it cannot.
    QString openPartFile();
    void judgeResponse(bool transferEnded);
    void onReadyRead();
    void onFinished();
    void storeAndVerify();
    void fail(const QString& description, const QString& details = {});
    void failToSave(const QString& reason);
    void discardPartFile();

    ServerGet* m_get = nullptr;
    QFile m_part;
    QByteArray m_chunk; // reused for every read
    QCryptographicHash m_hash{QCryptographicHash::Md5};
    qint64 m_received = 0;
    qint64 m_maximum = -1;
    QString m_expectedDigest;
    QString m_filePath;
    bool m_responseAccepted = false;
    bool m_ended = false;
};

} // namespace velt
