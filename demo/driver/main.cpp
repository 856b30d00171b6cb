// SPDX-License-Identifier: Apache-2.0
// Runs the application and walks its wizard the way a user would (screenshots, demos, smoke
// tests): waits for the catalogue, picks a model, keeps the preselected newest version unless
// told otherwise, passes the DFU instructions and reaches the update page; with --finish it
// waits for the update to succeed and presses Finish. Grabs the window on every page when given
// a folder. Any alert, and an application that ends before the walk is done, fail the walk.
//   velt-wizard-driver [--screenshots DIR] [--suffix TEXT] [--model NAME] [--version-index N]
//                      [--finish] [--timeout SECONDS]
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "core/Diagnostics.h"
#include "support/WizardFixture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QProgressBar>

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

    // The update to its end: the page once more while the device is being written (about
    // halfway, if the tool is slow enough to be caught at it), then Finish.
    QString finish() const
    {
        auto* bar = wizard.control<QProgressBar>("progressIndicator");
        QString failure = wizard.waitUntil(
            QStringLiteral("the device being written"),
            [&] {
                const bool writing = wizard.delegate().disableQuitApp() && bar->value() > 0 &&
                                     bar->value() >= bar->maximum() / 2;
                return writing || wizard.ended();
            },
            wizard.stepTimeoutMs);
        if (failure.isEmpty() && wizard.delegate().disableQuitApp())
            failure = grab(QStringLiteral("5-update-writing"));
        if (failure.isEmpty())
            failure = wizard.waitForEnd(wizard.stepTimeoutMs);
        if (failure.isEmpty() && !wizard.alerts().alerts().isEmpty())
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
    parser.addOptions({screenshots, suffix, model, versionIndex, finish, timeout});
    parser.process(application);

    WizardFixture wizard(velt::UpdateSettings::fromEnvironment());
    wizard.stepTimeoutMs = parser.value(timeout).toInt() * 1000;
    const Walk walk{wizard, parser.value(screenshots), parser.value(suffix)};
    QString grabFailure;
    QString failure = wizard.walkTo(QStringLiteral("UpdateProgressPage"), parser.value(model),
                                    parser.value(versionIndex).toInt(), [&](const QString& page) {
                                        velt::logLine(QStringLiteral("driver: ") + page);
                                        if (grabFailure.isEmpty())
                                            grabFailure = walk.grab(screenshotNames.value(page));
                                    });
    if (failure.isEmpty())
        failure = grabFailure;
    if (failure.isEmpty() && parser.isSet(finish))
        failure = walk.finish();
    if (failure.isEmpty() && !wizard.alerts().alerts().isEmpty())
        failure = QStringLiteral("alert: ") + wizard.alertText();
    if (failure.isEmpty() && wizard.quits() > 0 && !parser.isSet(finish))
        failure = QStringLiteral("the application ended before the walk was done");
    velt::logLine(QStringLiteral("driver: ") + (failure.isEmpty() ? u"done"_qs : failure));
    return failure.isEmpty() ? 0 : 1;
}
