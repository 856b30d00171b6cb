#pragma once

#include <memory>

namespace velt {

class Controller;

// Shows a presented controller and takes it away again when it is dismissed. One animator
// serves one presentation and its later dismissal.
class PresentationAnimator
{
public:
    virtual ~PresentationAnimator() = default;

    virtual void animatePresentation(const std::shared_ptr<Controller>& presented,
                                     Controller* presenting) = 0;
    // presenting is null when the controller that presented has gone since.
    virtual void animateDismissal(Controller* dismissed, Controller* presenting) = 0;
};

} // namespace velt
