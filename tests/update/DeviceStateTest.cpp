// SPDX-License-Identifier: Apache-2.0
#include "update/DeviceWatcher.h"

#include <gtest/gtest.h>

using velt::DeviceWatcher;
using State = DeviceWatcher::Presence;

// The advice for a device this user may not open depends on whether our udev rule is installed
// and on whether the session is at the local seat, where the rule's uaccess tag applies. (The
// sentences for the other states are checked on the DFU setup page.)
TEST(DeviceState, EachStateInTheUsersWords)
{
    const struct
    {
        State state;
        bool ruleInstalled;
        bool localSession;
        const char* key;
    } cases[] = {
        {State::Denied, true, true, "Info_DeviceDeniedReconnect"},
        {State::Denied, true, false, "Info_DeviceDeniedRemote"},
        {State::Denied, false, true, "Info_DeviceDeniedNoRule"},
        {State::Denied, false, false, "Info_DeviceDeniedNoRule"},
        {State::Unknown, true, true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeviceWatcher::stateText(c.state, {c.ruleInstalled, c.localSession}),
                  QString::fromLatin1(c.key))
            << int(c.state) << c.ruleInstalled << c.localSession;
    }
}
