// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/UpdateSession.h"

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class UpdateProgressPage;
}

namespace velt {

// The last page: shows the chosen version, a status text and a progress bar while the update
// of targetFirmware()'s version (or of an image file of the user's own) runs, and ends either with
// a Finish button or with an alert and a request to go back. The update starts when the page first
// appears.
class UpdateProgressViewController : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateProgressViewController(UpdateSettings settings, QWidget* parent = nullptr);
    // For an image file already copied to the Documents path and checked; its name is the
    // file's. targetFirmware() is left as it is.
    UpdateProgressViewController(UpdateSettings settings,
                                 std::shared_ptr<const FirmwareVersion> localImage,
                                 QWidget* parent = nullptr);
    ~UpdateProgressViewController() override;

    // The caption for a chosen version name: "Caption_VersionInfo" directly followed by the
    // name, or by "?" when no version has been chosen.
    static QString versionCaption(const QString& versionName);

signals:
    // After a failure, once its alert has been closed.
    void backRequested();
    // The Finish button: the user is done with the application.
    void finishRequested();
    // Follows the session: true while the flashing tool runs.
    void toolRunningChanged(bool running);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setProgress(double value, double maximum);
    void showError(const VeltError& error);
    void showWriteSucceeded();

    const QScopedPointer<Ui::UpdateProgressPage> m_ui;
    UpdateSession* m_session = nullptr;
    bool m_localImage = false;
};

} // namespace velt
