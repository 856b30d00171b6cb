// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"
#include "update/Shell.h"

#include <QCryptographicHash>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

namespace velt {

struct ProgressUpdate;

// Writes the verified image into the device with the flashing tool ("dfu-util" VID PID IMAGE).
// Lives on the main thread. The tool's standard output drives progress(); when it ends, the outcome
// is judged on the main thread after every progress line it printed has been applied. An early
// status failure is retried after half a second, up to four times.
class FlashingStage : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        QString toolPath;
        // The catalogue's MD5 of the image: the file must still have it before every run.
        QString expectedDigest;
        std::chrono::milliseconds retryDelay{500};
        // A run that writes nothing and does not end for this long is stopped and reported.
        std::chrono::milliseconds silentToolTimeout{180'000};
    };

    explicit FlashingStage(Settings settings, QObject* parent = nullptr);

    // Runs the tool on the image file. Main thread.
    void startWriting(const QString& imagePath);

    bool writeStarted() const { return m_writeStarted; }
    bool writeAlmostComplete() const { return m_writeAlmostComplete; }
    qint64 getStatusRetryCount() const { return m_getStatusRetryCount; }

signals:
    // The bar's maximum and value, and the localized status text to show with them.
    void progress(double written, double total, const QString& statusText);
    // True on the main thread just before each run of the tool, false there as soon as the
    // run has ended, before its verdict.
    void toolRunningChanged(bool running);
    void succeeded();
    void failed(const velt::VeltError& error);

private:
    class ProgressLink;

    void run();
    void checkImageThenRun();
    void hashNextSlice();
    void imageChecked(const QString& digest, const QString& readError);
    void progressLine(const ProgressUpdate& update);
    void writeDidFinish(const Shell::Outcome& outcome);
    void fail(const QString& description, const QString& details = {});

    Settings m_settings;
    // The check of the image before each run, read in slices across turns of the event loop.
    QFile m_checkedImage;
    QCryptographicHash m_checkHash{QCryptographicHash::Md5};
    QTimer m_checkSlices;
    QString m_imagePath;
    bool m_writeStarted = false;
    bool m_writeAlmostComplete = false;
    qint64 m_getStatusRetryCount = 0;
};

} // namespace velt
