#include "app/SegueAnimator.h"

#include "app/ContentManagerViewController.h"
#include "app/ContentManagerViewControllerHolder.h"

namespace velt {
void SegueAnimator::animatePresentation(const ControllerPtr& presented, Controller* presenting)
{
    if (!presented || !presenting)
        return;
    if (auto* manager =
            qobject_cast<ContentManagerViewController*>(presenting->parentController())) {
        manager->push(presented);
        return;
    }
    if (auto* holder = dynamic_cast<ContentManagerViewControllerHolder*>(presenting)) {
        if (ContentManagerViewController* manager = holder->contentManagerViewController())
            manager->push(presented);
    }
}

void SegueAnimator::animateDismissal(Controller* dismissed, Controller*)
{
    if (!dismissed)
        return;
    if (auto* manager = qobject_cast<ContentManagerViewController*>(dismissed->parentController()))
        manager->pop();
}

} // namespace velt
