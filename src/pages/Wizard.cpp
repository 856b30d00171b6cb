#include "pages/Wizard.h"

#include "app/ContentManagerViewController.h"
#include "app/SegueBetweenEmbedded.h"
#include "app/ViewController.h"
#include "core/Diagnostics.h"
#include "kit/Segue.h"
#include "kit/Storyboard.h"
#include "pages/DFUSetupInfoViewController.h"
#include "pages/IntroViewController.h"
#include "pages/SelectModelViewController.h"
#include "pages/SelectVersionViewController.h"
#include "pages/UpdateProgressViewController.h"

namespace velt {

void registerWizardClasses()
{
    Storyboard::registerControllerClass<ViewController>();
    Storyboard::registerControllerClass<ContentManagerViewController>();
    Storyboard::registerControllerClass<IntroViewController>();
    Storyboard::registerControllerClass<SelectModelViewController>();
    Storyboard::registerControllerClass<SelectVersionViewController>();
    Storyboard::registerControllerClass<DFUSetupInfoViewController>();
    Storyboard::registerControllerClass<UpdateProgressViewController>();
    Storyboard::registerSegueClass<Segue>(QStringLiteral("Segue"));
    Storyboard::registerSegueClass<SegueBetweenEmbedded>(QStringLiteral("SegueBetweenEmbedded"));
}

std::shared_ptr<Storyboard> wizardStoryboard()
{
    QString error;
    auto storyboard = Storyboard::load(QStringLiteral(":/ui/Wizard.json"), &error);
    if (!storyboard)
        logLine(QStringLiteral("layout fault: ") + error);
    return storyboard;
}

} // namespace velt
