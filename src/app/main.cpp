#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    velt::setUpApplication(application);

    velt::MainWindow window(velt::UpdateSettings::fromEnvironment());
    velt::AppDelegate delegate;
    window.show();
    delegate.applicationDidFinishLaunching();
    return application.exec();
}
