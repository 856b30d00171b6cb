// SPDX-License-Identifier: Apache-2.0
#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "core/BuildConfig.h"
#include "pages/Wizard.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    // --help and --version answer before the window system is reached, so they work without a
    // display. Qt's own options (-platform, -style, ...) are taken by QApplication further on.
    QCoreApplication::setApplicationName(QStringLiteral("velt-firmware-updater"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELT_PROJECT_VERSION));
    {
        QCoreApplication commandLine(argc, argv);
        QCommandLineParser parser;
        parser.setApplicationDescription(
            QStringLiteral("Updates the firmware of Velt USB audio devices."));
        const QCommandLineOption help = parser.addHelpOption();
        const QCommandLineOption version = parser.addVersionOption();
        parser.parse(QCoreApplication::arguments());
        if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
            parser.showHelp(0);
        if (parser.isSet(version))
            parser.showVersion();
    }

    QApplication application(argc, argv);
    velt::setUpApplication(application);
    velt::registerWizardClasses();

    velt::MainWindow window(velt::wizardStoryboard());
    if (!window.rootController())
        return 1;
    velt::AppDelegate delegate;
    window.show();
    delegate.applicationDidFinishLaunching();
    const int status = application.exec();
    // Pages let go of by the stack are deleted late; finish that before the widgets' owner
    // (the application) goes.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
