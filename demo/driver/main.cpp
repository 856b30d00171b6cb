// SPDX-License-Identifier: Apache-2.0
// Runs the application and walks its wizard the way a user would (screenshots, demos, smoke
// tests): waits for the catalogue, picks a model, keeps the preselected newest version unless
// told otherwise, passes the DFU instructions and reaches the update page; with --finish it
// waits for the update to succeed and presses Finish. Grabs the window on every page when given
// a folder. Any alert, and an application that ends before the walk is done, fail the walk.
//   velt-wizard-driver [--screenshots DIR] [--suffix TEXT] [--model NAME] [--version-index N]
//                      [--finish] [--timeout SECONDS] [--presence-file PATH] [--alert-details]
// With --presence-file (the simulated device's, absent at start) the DFU setup page is grabbed
// with no device, then PATH is created and the page grabbed again once it shows the device.
// With --alert-details the application's alert for a device not in DFU mode is grabbed with
// the tool's own lines shown behind "Show Details...".
#include "app/AlertBox.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "core/VeltError.h"
#include "support/WizardFixture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

using velt::test::WizardFixture;

const QHash<QString, QString> screenshotNames = {
    {QStringLiteral("IntroPage"), QStringLiteral("1-intro")},
    {QStringLiteral("SelectModelPage"), QStringLiteral("2-model")},
    {QStringLiteral("SelectVersionPage"), QStringLiteral("3-version")},
    {QStringLiteral("DFUSetupPage"), QStringLiteral("4-dfu-setup")},
    {QStringLiteral("UpdateProgressPage"), QStringLiteral("5-update")},
};

struct Walk
{
    WizardFixture& wizard;
    QString folder;
    QString suffix;

    QString grab(const QString& name) const
    {
        if (folder.isEmpty())
            return {};
        const QString path = QDir(folder).filePath(
            (suffix.isEmpty() ? name : name + QLatin1Char('-') + suffix) + QStringLiteral(".png"));
        // A page pushed a moment ago still has its queued events to run (until then its scroll
        // areas show bars the user never sees); run them first, as the event loop would.
        QCoreApplication::sendPostedEvents();
        if (!wizard.window()->grab().save(path))
            return QStringLiteral("cannot write ") + path;
        velt::logLine(QStringLiteral("driver: saved ") + path);
        return {};
    }

    // The DFU setup page without the device, then with it: PATH is the simulated device's
    // presence file.
    QString deviceStates(const QString& presenceFile) const
    {
        const auto shows = [&](const char* key) {
            auto* status = wizard.control<QLabel>("deviceStatusField");
            return status && status->isVisible() && status->text() == velt::localizedString(key);
        };
        QString failure = wizard.waitUntil(
            QStringLiteral("the device not found on the DFU setup page"),
            [&] { return shows("Info_DeviceNotFound"); }, wizard.stepTimeoutMs);
        if (failure.isEmpty())
            failure = grab(QStringLiteral("4-dfu-setup"));
        QFile file(presenceFile);
        if (failure.isEmpty() && !file.open(QIODevice::WriteOnly))
            failure = QStringLiteral("cannot create ") + presenceFile;
        file.close();
        if (failure.isEmpty())
            failure = wizard.waitUntil(
                QStringLiteral("the device connected on the DFU setup page"),
                [&] { return shows("Info_DeviceConnected"); }, wizard.stepTimeoutMs);
        if (failure.isEmpty())
            failure = grab(QStringLiteral("4-dfu-setup-connected"));
        return failure;
    }

    // The application's own alert for the most common failure, a device not in DFU mode, with
    // what the flashing tool said behind its details; shown expanded, grabbed, then closed.
    QString alertDetails() const
    {
        QString failure = QStringLiteral("the alert did not appear");
        int attempts = 0;
        std::function<void()> look;
        look = [&] {
            QMessageBox* box = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* shown = qobject_cast<QMessageBox*>(widget); shown && shown->isVisible())
                    box = shown;
            if (!box) {
                // Five seconds at most; an alert that shows up later than that is not waited
                // for, and the walk fails.
                if (++attempts < 50)
                    QTimer::singleShot(100, look);
                return;
            }
            QAbstractButton* details = nullptr;
            for (QAbstractButton* button : box->buttons())
                if (box->buttonRole(button) == QMessageBox::ActionRole)
                    details = button;
            if (!details) {
                failure = QStringLiteral("the alert has no details button");
                box->reject();
                return;
            }
            details->click();
            // Let the expanded box lay itself out before it is grabbed.
            QTimer::singleShot(300, box, [&, box] {
                QCoreApplication::sendPostedEvents();
                failure.clear();
                if (!folder.isEmpty()) {
                    const QString path = QDir(folder).filePath(
                        QStringLiteral("6-alert-details") +
                        (suffix.isEmpty() ? QString() : QLatin1Char('-') + suffix) +
                        QStringLiteral(".png"));
                    if (box->grab().save(path))
                        velt::logLine(QStringLiteral("driver: saved ") + path);
                    else
                        failure = QStringLiteral("cannot write ") + path;
                }
                box->accept();
            });
        };
        QTimer::singleShot(0, look);
        velt::showAlertBox(velt::VeltError::withDescription(
            velt::VeltError::updateCode, velt::localizedString("Description_DFUMode"),
            QStringLiteral("No device 0a12:ffff is connected.\nFailed to enter DFU mode.")));
        return failure;
    }

    // The update to its end: the page once more while the device is being written (once the
    // time left shows, if the tool is slow enough to be caught at it), then Finish.
    QString finish() const
    {
        auto* bar = wizard.control<QProgressBar>("progressIndicator");
        auto* timeLeft = wizard.control<QLabel>("timeLeftLabel");
        QString failure = wizard.waitUntil(
            QStringLiteral("the device being written"),
            [&] {
                const bool writing = wizard.delegate().disableQuitApp() && bar->value() > 0 &&
                                     !timeLeft->text().isEmpty();
                return writing || wizard.ended();
            },
            wizard.stepTimeoutMs);
        if (failure.isEmpty() && wizard.delegate().disableQuitApp())
            failure = grab(QStringLiteral("5-update-writing"));
        if (failure.isEmpty())
            failure = wizard.waitForEnd(wizard.stepTimeoutMs);
        if (failure.isEmpty() && !wizard.alerts().isEmpty())
            failure = QStringLiteral("alert: ") + wizard.alertText();
        if (failure.isEmpty())
            failure = grab(QStringLiteral("6-finished"));
        if (failure.isEmpty())
            failure = wizard.click("button");
        if (failure.isEmpty() && wizard.quits() != 1)
            failure = QStringLiteral("Finish did not end the application");
        return failure;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    velt::setUpApplication(application);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshots(QStringLiteral("screenshots"),
                                         QStringLiteral("Grab every page into this folder."),
                                         QStringLiteral("folder"));
    const QCommandLineOption suffix(QStringLiteral("suffix"),
                                    QStringLiteral("Appended to each screenshot's name."),
                                    QStringLiteral("text"));
    const QCommandLineOption model(QStringLiteral("model"), QStringLiteral("Model to pick."),
                                   QStringLiteral("name"));
    const QCommandLineOption versionIndex(QStringLiteral("version-index"),
                                          QStringLiteral("Position of the version to pick."),
                                          QStringLiteral("n"), QStringLiteral("-1"));
    const QCommandLineOption finish(
        QStringLiteral("finish"), QStringLiteral("Wait for the update to succeed, press Finish."));
    const QCommandLineOption timeout(QStringLiteral("timeout"),
                                     QStringLiteral("Seconds to wait for any one step."),
                                     QStringLiteral("seconds"), QStringLiteral("60"));
    const QCommandLineOption presenceFile(
        QStringLiteral("presence-file"),
        QStringLiteral("The simulated device's presence file: grab the DFU setup page without "
                       "the device, create the file, grab it with the device."),
        QStringLiteral("path"));
    const QCommandLineOption alertDetails(
        QStringLiteral("alert-details"),
        QStringLiteral("Grab an alert with its details shown once the walk is done."));
    parser.addOptions(
        {screenshots, suffix, model, versionIndex, finish, timeout, presenceFile, alertDetails});
    parser.process(application);

    WizardFixture wizard(velt::UpdateSettings::fromEnvironment());
    wizard.stepTimeoutMs = parser.value(timeout).toInt() * 1000;
    const Walk walk{wizard, parser.value(screenshots), parser.value(suffix)};
    QString grabFailure;
    QString failure =
        wizard.walkTo(QStringLiteral("UpdateProgressPage"), parser.value(model),
                      parser.value(versionIndex).toInt(), [&](const QString& page) {
                          velt::logLine(QStringLiteral("driver: ") + page);
                          if (!grabFailure.isEmpty())
                              return;
                          if (page == QLatin1String("DFUSetupPage") && parser.isSet(presenceFile))
                              grabFailure = walk.deviceStates(parser.value(presenceFile));
                          else
                              grabFailure = walk.grab(screenshotNames.value(page));
                      });
    if (failure.isEmpty())
        failure = grabFailure;
    if (failure.isEmpty() && parser.isSet(alertDetails))
        failure = walk.alertDetails();
    if (failure.isEmpty() && parser.isSet(finish))
        failure = walk.finish();
    if (failure.isEmpty() && !wizard.alerts().isEmpty())
        failure = QStringLiteral("alert: ") + wizard.alertText();
    if (failure.isEmpty() && wizard.quits() > 0 && !parser.isSet(finish))
        failure = QStringLiteral("the application ended before the walk was done");
    velt::logLine(QStringLiteral("driver: ") + (failure.isEmpty() ? u"done"_qs : failure));
    return failure.isEmpty() ? 0 : 1;
}
