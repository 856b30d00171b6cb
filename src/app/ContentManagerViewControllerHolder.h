#pragma once

namespace velt {

class ContentManagerViewController;

// A controller that holds a page stack without being inside it (the window's root controller),
// so that a segue run from it can still find the stack.
class ContentManagerViewControllerHolder
{
public:
    virtual ~ContentManagerViewControllerHolder() = default;
    virtual ContentManagerViewController* contentManagerViewController() const = 0;
};

} // namespace velt
