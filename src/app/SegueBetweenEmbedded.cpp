#include "app/SegueBetweenEmbedded.h"

#include "app/SegueAnimator.h"
#include "kit/Controller.h"

namespace velt {

void SegueBetweenEmbedded::perform()
{
    auto animator = std::make_shared<SegueAnimator>();
    if (auto* source = qobject_cast<Controller*>(sourceController()))
        source->present(destinationController(), animator);
}

} // namespace velt
