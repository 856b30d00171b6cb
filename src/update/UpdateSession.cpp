// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateSession.h"

#include "catalogue/FirmwareServer.h"
#include "catalogue/FirmwareVersion.h"
#include "core/Localization.h"
#include "core/Resources.h"
#include "core/SleepInhibitor.h"
#include "update/FirmwareDownload.h"
#include "update/FlashingStage.h"
#include "update/TimeLeft.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <optional>
#include <utility>

namespace velt {
namespace {

const QString firmwareFileName = QStringLiteral("veltFirmwareUpdate.dfu");

} // namespace

UpdateSettings UpdateSettings::fromEnvironment()
{
    UpdateSettings settings;
    settings.server = firmwareServer().origin;
    settings.documentsFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    settings.toolPath = resourcePath(QStringLiteral("dfu-util"));
    return settings;
}

class UpdateSession::Private
{
public:
    Private(UpdateSession* session, std::shared_ptr<const FirmwareVersion> chosen,
            UpdateSettings values)
        : q(session), version(std::move(chosen)), settings(std::move(values)),
          inhibitor(localizedString("Description_InhibitSleep"), settings.sleepInhibitorBus)
    {
        // A stalled transfer shows in the estimate too, not only one that reports.
        timeLeftTick.setInterval(1000);
        QObject::connect(&timeLeftTick, &QTimer::timeout, q, [this] { estimate(); });
    }

    void start(bool fetchImage);
    void imageReady(qint64 imageSize);
    void startWriting();
    void progress(double value, double maximum);
    void estimate();
    void setInstalling(bool installing);
    void showTimeLeft(const QString& text);
    void end();
    void fail(const VeltError& error);
    void failLater(const char* key);

    UpdateSession* q;
    std::shared_ptr<const FirmwareVersion> version;
    UpdateSettings settings;
    FirmwareDownload* download = nullptr;
    FlashingStage* flashing = nullptr;
    SleepInhibitor inhibitor;
    TimeLeft timeLeft;
    QTimer timeLeftTick;
    QString timeLeftText;
    double value = 0;
    double maximum = -1;
    bool installing = false;
    bool started = false;
};

UpdateSession::UpdateSession(std::shared_ptr<const FirmwareVersion> version,
                             UpdateSettings settings, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>(this, std::move(version), std::move(settings)))
{
}

UpdateSession::~UpdateSession() = default;

QString UpdateSession::firmwareFilePath(const UpdateSettings& settings)
{
    if (settings.documentsFolder.isEmpty())
        return {};
    return QDir(settings.documentsFolder).filePath(firmwareFileName);
}

void UpdateSession::start()
{
    d->start(true);
}

void UpdateSession::startWithImageInPlace()
{
    d->start(false);
}

void UpdateSession::Private::start(bool fetchImage)
{
    if (std::exchange(started, true))
        return;
    if (!version) {
        failLater("Error_NoFirmwareSelected");
        return;
    }
    const QString filePath = firmwareFilePath(settings);
    if (filePath.isEmpty()) {
        failLater("Error_NoDocumentsFolder");
        return;
    }
    if (!fetchImage) {
        // Reported after start() has returned, as a download's end would be.
        const qint64 size = QFileInfo(filePath).size();
        QTimer::singleShot(0, q, [this, size] { imageReady(size); });
        return;
    }
    const std::optional<QUrl> url = version->downloadURL(settings.server);
    if (!url) {
        failLater("Error_InvalidDownloadAddress");
        return;
    }

    emit q->statusChanged(localizedString("Info_DownloadingFirmwareFromServer"));
    inhibitor.setHeld(true);
    timeLeftTick.start();
    download = new FirmwareDownload(q);
    // An unknown length (-1) shows a busy bar; the received amount still counts.
    connect(download, &FirmwareDownload::progressChanged, q,
            [this](qint64 received, qint64 length) { progress(double(received), double(length)); });
    connect(download, &FirmwareDownload::failed, q,
            [this](const VeltError& error) { fail(error); });
    connect(download, &FirmwareDownload::verified, q,
            [this](qint64 imageSize) { imageReady(imageSize); });
    download->start({*url, version->md5hash, filePath, settings.transferTimeout});
}

void UpdateSession::Private::imageReady(qint64 imageSize)
{
    emit q->statusChanged(localizedString("Info_Preparing"));
    inhibitor.setHeld(true);
    timeLeftTick.stop();
    timeLeft.reset();
    showTimeLeft(QString());
    emit q->progressChanged(0, double(imageSize));
    QTimer::singleShot(settings.handoverDelay, q, [this] { startWriting(); });
}

void UpdateSession::Private::startWriting()
{
    flashing = new FlashingStage(
        {settings.toolPath, version->md5hash, settings.retryDelay, settings.silentToolTimeout}, q);
    connect(flashing, &FlashingStage::progress, q,
            [this](double written, double total, const QString& statusText) {
                progress(written, total);
                emit q->statusChanged(statusText);
                // The tool prints the last "N of N" only once the device has taken the end.
                if (total > 0 && written >= total)
                    setInstalling(true);
            });
    connect(flashing, &FlashingStage::toolRunningChanged, q, [this](bool running) {
        if (running) {
            // Each run of the tool starts its own estimate.
            setInstalling(false);
            timeLeft.reset();
            timeLeftTick.start();
        }
        emit q->toolRunningChanged(running);
    });
    connect(flashing, &FlashingStage::succeeded, q, [this] {
        end();
        emit q->statusChanged(localizedString("Info_WriteSucceeded"));
        emit q->succeeded();
    });
    connect(flashing, &FlashingStage::failed, q, [this](const VeltError& error) { fail(error); });
    flashing->startWriting(firmwareFilePath(settings));
}

void UpdateSession::Private::progress(double newValue, double newMaximum)
{
    value = newValue;
    maximum = newMaximum;
    emit q->progressChanged(value, maximum);
    estimate();
}

void UpdateSession::Private::estimate()
{
    if (!installing)
        showTimeLeft(TimeLeft::text(timeLeft.update(value, maximum, TimeLeft::Clock::now())));
}

void UpdateSession::Private::setInstalling(bool now)
{
    if (installing == now)
        return;
    installing = now;
    if (installing) {
        timeLeftTick.stop();
        showTimeLeft(localizedString("Info_DeviceInstalling"));
    }
    emit q->installingChanged(installing);
}

void UpdateSession::Private::showTimeLeft(const QString& text)
{
    if (text == timeLeftText)
        return;
    timeLeftText = text;
    emit q->timeLeftChanged(text);
}

// The verdict is in: nothing more to estimate, and the machine may sleep again.
void UpdateSession::Private::end()
{
    timeLeftTick.stop();
    setInstalling(false);
    showTimeLeft(QString());
    inhibitor.setHeld(false);
}

void UpdateSession::Private::fail(const VeltError& error)
{
    end();
    emit q->statusChanged(localizedString("Error_Generic"));
    emit q->failed(error);
}

// A failure found before anything started is still reported after start() has returned, like
// every other one, so the page has finished appearing when its alert shows.
void UpdateSession::Private::failLater(const char* key)
{
    const VeltError error = VeltError::withDescription(VeltError::updateCode, localizedString(key));
    QTimer::singleShot(0, q, [this, error] { fail(error); });
}

} // namespace velt
