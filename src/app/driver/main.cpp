// Runs the application and walks its wizard automatically (screenshots, demos, smoke tests).
//   velt-wizard-driver [--screenshots DIR] [--suffix TEXT] [--model NAME] [--version-index N]
//                      [--finish] [--timeout SECONDS]
#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "app/driver/WizardDriver.h"
#include "core/Diagnostics.h"
#include "pages/Wizard.h"

#include <QApplication>
#include <QCommandLineParser>
#include <optional>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    velt::setUpApplication(application);
    velt::registerWizardClasses();

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
                                          QStringLiteral("n"));
    const QCommandLineOption finish(
        QStringLiteral("finish"), QStringLiteral("Wait for the update to succeed, press Finish."));
    const QCommandLineOption timeout(QStringLiteral("timeout"),
                                     QStringLiteral("Seconds to wait for any one step."),
                                     QStringLiteral("seconds"), QStringLiteral("60"));
    parser.addOptions({screenshots, suffix, model, versionIndex, finish, timeout});
    parser.process(application);

    velt::WizardDriver::Options options;
    options.screenshotDirectory = parser.value(screenshots);
    options.screenshotSuffix = parser.value(suffix);
    options.model = parser.value(model);
    options.versionIndex = parser.isSet(versionIndex) ? parser.value(versionIndex).toInt() : -1;
    options.finish = parser.isSet(finish);
    options.timeoutMs = parser.value(timeout).toInt() * 1000;

    velt::MainWindow window(velt::wizardStoryboard());
    if (!window.rootController())
        return 2;
    velt::AppDelegate delegate;
    window.show();
    delegate.applicationDidFinishLaunching();

    // The walk's outcome is the exit status; a Finish press ends the application normally.
    // An application that ends before the walk is done (a failed catalogue) has failed it.
    std::optional<int> walkStatus;
    velt::WizardDriver driver(window, options);
    QObject::connect(&driver, &velt::WizardDriver::finished, &application, [&](int status) {
        walkStatus = status;
        if (status != 0 || !options.finish)
            QCoreApplication::exit(status);
    });
    driver.start();
    const int status = application.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!walkStatus) {
        velt::logLine(QStringLiteral("driver: the application ended before the walk was done"));
        return 1;
    }
    return *walkStatus != 0 ? *walkStatus : status;
}
