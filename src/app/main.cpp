#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "core/Diagnostics.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    velt::setUpApplication(application);
    velt::openDiagnosticsLog(velt::defaultDiagnosticsFolder(), QApplication::applicationVersion());

    velt::MainWindow window(velt::UpdateSettings::fromEnvironment());
    velt::AppDelegate delegate;
    window.show();
    delegate.applicationDidFinishLaunching();
    const int status = application.exec();
    velt::closeDiagnosticsLog();
    return status;
}
