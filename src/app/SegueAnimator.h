#pragma once

#include "kit/Controller.h"
#include "kit/PresentationAnimator.h"

namespace velt {

// Turns a presentation into a push onto the page stack and the later dismissal into a pop.
// Nothing is animated: the page change is immediate.
class SegueAnimator : public PresentationAnimator
{
public:
    // Pushes onto the stack the presenting controller sits in, or else onto the stack it holds
    // (the root controller); otherwise the page is not shown.
    void animatePresentation(const ControllerPtr& presented, Controller* presenting) override;
    // Pops the stack when the dismissed page is the one on screen (the stack's child);
    // dismissing a covered page changes nothing.
    void animateDismissal(Controller* dismissed, Controller* presenting) override;
};

} // namespace velt
