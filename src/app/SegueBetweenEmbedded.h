#pragma once

#include "kit/Segue.h"

namespace velt {

// The wizard's forward step: the source page presents the destination through a SegueAnimator,
// which pushes it onto the page stack; dismissing it later pops it.
class SegueBetweenEmbedded : public Segue
{
public:
    using Segue::Segue;

    void perform() override;
};

} // namespace velt
