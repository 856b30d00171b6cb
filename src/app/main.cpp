// SPDX-License-Identifier: Apache-2.0
#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "core/Alert.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "core/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    // --help and --version answer before the window system is reached, so they work without a
    // display. Qt's own options (-platform, -style, ...) are taken by QApplication further on.
    velt::nameApplication();
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

    // One instance per user; the lock is held until main returns.
    velt::SingleInstance instance;
    switch (instance.tryAcquire()) {
    case velt::SingleInstance::Outcome::Acquired:
        break;
    case velt::SingleInstance::Outcome::HeldByAnother:
        velt::logLine(QStringLiteral("Another instance is running (process %1, lock %2).")
                          .arg(instance.holderPid())
                          .arg(instance.lockPath()));
        velt::presentAlert(velt::VeltError::withDescription(
            velt::VeltError::updateCode, velt::localizedString("Error_AlreadyRunning")));
        return 3;
    case velt::SingleInstance::Outcome::Failed:
        // A runtime folder the user cannot write should not keep the updater from starting;
        // the reason goes to the diagnostics.
        velt::logLine(
            QStringLiteral("Single-instance lock unavailable: %1.").arg(instance.errorText()));
        break;
    }

    // Only the instance that runs keeps the log; a second start must not rotate it away.
    velt::openDiagnosticsLog(velt::defaultDiagnosticsFolder(), QApplication::applicationVersion());

    velt::MainWindow window(velt::UpdateSettings::fromEnvironment());
    velt::AppDelegate delegate;
    window.show();
    delegate.applicationDidFinishLaunching();
    const int status = application.exec();
    velt::closeDiagnosticsLog();
    return status;
}
