// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace velt {

// Receives a background run's standard output while the program runs (see Shell).
class ShellDelegate
{
public:
    virtual ~ShellDelegate() = default;

    // One piece of standard output, in arrival order, and once more at the end with the rest
    // (possibly empty). Called on the main thread, from its event loop.
    virtual void shellDidReceiveOutput(const QString& output) = 0;
};

} // namespace velt
