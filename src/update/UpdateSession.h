// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>

namespace velt {

class FirmwareVersion;

// Everything an update needs besides the chosen version. The application builds it once from
// its environment; tests build their own.
struct UpdateSettings
{
    // scheme://host[:port] of the firmware server; images are fetched from
    // <server>/updater/dfu/<file name>.
    QString server;
    // Where veltFirmwareUpdate.dfu is kept (created when missing).
    QString documentsFolder;
    // The flashing tool ("dfu-util" among the application's resources).
    QString toolPath;

    std::chrono::milliseconds transferTimeout{60'000};
    // The pause between a good digest and the first run of the tool, for "Info_Preparing".
    std::chrono::milliseconds handoverDelay{5'000};
    // The pause before a run that follows an early status failure.
    std::chrono::milliseconds retryDelay{500};
    // A run of the tool that neither prints a line nor ends for this long is stopped.
    std::chrono::milliseconds silentToolTimeout{180'000};
    // The message bus whose logind keeps the machine awake during the update; empty for the
    // system bus.
    QString sleepInhibitorBus;

    // The server in use, the user's Documents folder and the carried tool.
    static UpdateSettings fromEnvironment();
};

// One update of one chosen version: download -> verify -> hand-over -> flash -> verdict.
// Lives on the main thread; every signal is emitted there. A session runs once. From the start
// of the download until the verdict, the machine is kept from sleeping.
class UpdateSession : public QObject
{
    Q_OBJECT

public:
    UpdateSession(std::shared_ptr<const FirmwareVersion> version, UpdateSettings settings,
                  QObject* parent = nullptr);
    ~UpdateSession() override;

    // Starts the download; later calls do nothing.
    void start();
    // For an image already at firmwareFilePath(settings) with the version's digest (a file of the
    // user's own, copied there and checked): everything start() does after the download.
    // Later calls, and calls after start(), do nothing.
    void startWithImageInPlace();

    // Documents/veltFirmwareUpdate.dfu for these settings.
    static QString firmwareFilePath(const UpdateSettings& settings);

signals:
    // The localized status text to show.
    void statusChanged(const QString& text);
    // The bar's value and maximum; a negative maximum means the amount is not known yet.
    void progressChanged(double value, double maximum);
    // What to show beside the bar: the time left ("About 20 seconds left"), the phase once the
    // device has all of the image and applies it, or nothing (empty).
    void timeLeftChanged(const QString& text);
    // True once the device has accepted the whole image and is applying it, until the verdict
    // or the next run of the tool: the bar has nothing more to show.
    void installingChanged(bool installing);
    // True just before each run of the flashing tool, false as soon as that run has ended
    // (before its verdict is reported). The application's quit guard follows it.
    void toolRunningChanged(bool running);
    // The device has been written and the tool said so.
    void succeeded();
    // The update has ended in a failure the user must be told of.
    void failed(const velt::VeltError& error);

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace velt
