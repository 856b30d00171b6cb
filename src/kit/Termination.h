#pragma once

#include <functional>

namespace velt {

// The application's terminate request. Pages, menus and the window ask for the application to
// end through requestTermination(); the application delegate installed at start-up decides
// whether it really ends (it refuses while a device is being written). Main thread only.
using TerminationHandler = std::function<void()>;

void setTerminationHandler(TerminationHandler handler);
void requestTermination();

} // namespace velt
