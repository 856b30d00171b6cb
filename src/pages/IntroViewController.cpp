#include "pages/IntroViewController.h"

#include "catalogue/FirmwareList.h"
#include "core/Alert.h"
#include "kit/Termination.h"

namespace velt {

IntroViewController::IntroViewController(QObject* parent) : Controller(parent) {}

void IntroViewController::viewDidAppear()
{
    // Blocks until the catalogue has been read or the user has been told why not.
    if (auto error = firmwareList().load()) {
        presentAlert(*error);
        requestTermination();
        return;
    }
    if (m_nextButton)
        m_nextButton->setEnabled(true);
}

} // namespace velt
