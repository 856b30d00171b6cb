// SPDX-License-Identifier: Apache-2.0
#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "cli/CommandLine.h"
#include "cli/ExitCode.h"
#include "cli/TerminationSignals.h"
#include "core/Alert.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "core/SingleInstance.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    // The options are read before the window system is reached: --help, --version and the
    // command line's runs (--list, --update, --file) need no display.
    velt::nameApplication();
    {
        QCoreApplication commandLineApplication(argc, argv);
        velt::installTranslations(commandLineApplication);
        velt::CommandLine commandLine;
        switch (commandLine.parse(QCoreApplication::arguments())) {
        case velt::CommandLine::Request::Window:
            break;
        case velt::CommandLine::Request::Help:
            commandLine.showHelp();
        case velt::CommandLine::Request::Version:
            commandLine.showVersion();
        case velt::CommandLine::Request::UsageError:
            std::fprintf(stderr, "%s\n", qPrintable(commandLine.errorText()));
            return velt::exitStatus(velt::ExitCode::Usage);
        case velt::CommandLine::Request::Run:
            return commandLine.run();
        }
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
        return velt::exitStatus(velt::ExitCode::AnotherInstance);
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
    // Ctrl-C, SIGTERM and a closed terminal ask to quit like the menu does.
    velt::TerminationSignals terminations;
    delegate.quitOnTerminationSignals(terminations);
    const int status = application.exec();
    velt::closeDiagnosticsLog();
    return status;
}
