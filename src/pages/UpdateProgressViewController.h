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
// of targetFirmware()'s version runs, and ends either with a Finish button or with an alert
// and a request to go back. The update starts when the page first appears.
class UpdateProgressViewController : public QWidget
{
    Q_OBJECT

public:
    explicit UpdateProgressViewController(UpdateSettings settings, QWidget* parent = nullptr);
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
};

} // namespace velt
