// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"
#include "update/Md5Accumulator.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <chrono>
#include <future>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace velt {

// Downloads the chosen firmware image, stores it as veltFirmwareUpdate.dfu in the Documents
// folder and checks its MD5 against the catalogue. Lives on the main thread; the page shows
// what it reports through the signals. Only HTTP status 200 is accepted; the body is kept in
// memory and hashed as it arrives; the file is written once, atomically, off the main thread.
class FirmwareDownload : public QObject
{
    Q_OBJECT

public:
    // A larger response is refused: a broken or hostile server must not exhaust memory.
    static constexpr qint64 maximumImageSize = 256 * 1024 * 1024;
    // Redirects followed before the transfer is given up, as many as Qt's own default.
    static constexpr int maximumRedirects = 50;

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

    // Every body byte received so far, in arrival order.
    const QByteArray& buffer() const { return m_buffer; }

signals:
    void progressMaximumChanged(qint64 maximum); // -1 when the server gives no length
    void progressValueChanged(qint64 value);
    void failed(const velt::VeltError& error);
    // The image is stored at the target's path and its digest matches the catalogue.
    void verified(qint64 imageSize);

private:
    void onMetaDataChanged();
    void request(const QUrl& url);
    // Follows the finished reply's redirect, or fails on it; false when it was none.
    bool followRedirect();
    void judgeResponse(bool transferEnded);
    void onReadyRead();
    void onFinished();
    void storeAndVerify();
    void verifyStored(const QString& path, const QString& writeError);
    // The alert's text for a transfer the network layer ended with an error.
    QString transportFailureText() const;
    void fail(const QString& description, const QString& details = {});
    void stopTransfer();

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_buffer;
    Md5Accumulator m_hash;
    QString m_expectedDigest;
    QString m_filePath;
    QUrl m_currentUrl; // the address the latest response came from
    bool m_responseAccepted = false;
    int m_redirectsFollowed = 0;
    std::chrono::milliseconds m_transferTimeout{60'000};
    bool m_ended = false;
    std::future<void> m_writerDone; // the image file's writer has finished
};

} // namespace velt
