// SPDX-License-Identifier: Apache-2.0
// The one-instance lock's failure.
#include "core/SingleInstance.h"

#include <gtest/gtest.h>

namespace velt {
namespace {

// A lock that cannot be made is a failure with a reason, not a refusal naming a process. The
// lock against real second processes, and taken over from a killed one, is tried with the
// command line's runs (tests/cli).
TEST(SingleInstance, AnUnwritableLockIsAFailureWithAReason)
{
    SingleInstance unwritable(QStringLiteral("/nonexistent-folder/instance.lock"));
    EXPECT_EQ(unwritable.tryAcquire(), SingleInstance::Outcome::Failed);
    EXPECT_FALSE(unwritable.errorText().isEmpty());
}

} // namespace
} // namespace velt
