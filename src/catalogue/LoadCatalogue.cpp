#include "catalogue/FirmwareList.h"

namespace velt {

bool FirmwareList::load()
{
    return false;
}

} // namespace velt
