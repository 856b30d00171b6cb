#include "app/AppDelegate.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "pages/Wizard.h"

#include <QApplication>

int main(int argc, char** argv)
{
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
