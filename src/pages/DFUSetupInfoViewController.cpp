#include "pages/DFUSetupInfoViewController.h"

namespace velt {

DFUSetupInfoViewController::DFUSetupInfoViewController(QObject* parent) : Controller(parent) {}

} // namespace velt
