// SPDX-License-Identifier: Apache-2.0
#include "update/WriteVerdict.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using velt::WriteVerdict;
using Outcome = WriteVerdict::Outcome;

// The verdicts the stage tests do not reach with a stub tool (see UpdateSessionTest.ToolFaults).
TEST(WriteVerdict, OnlyAToolThatExitedZeroSucceeds)
{
    const QString getStatus = u"[!] Failed DFU_GETSTATUS: 0xe00002d8."_s;
    const struct
    {
        QString error;
        int exitStatus;
        bool started, almostComplete;
        qint64 count;
        Outcome outcome;
        QString alert;
    } cases[] = {
        {u"warning"_s, 0, true, false, 0, Outcome::Failed, u"warning"_s},
        {getStatus, 74, false, false, std::numeric_limits<qint64>::max(), Outcome::GaveUp,
         u"Error_DeviceDidNotAnswer"_s},
        {u"Failed DFU_GETSTATUS: 0xe00002d9."_s, 1, false, false, 0, Outcome::Failed,
         u"Failed DFU_GETSTATUS: 0xe00002d9."_s},
        {u" \n"_s, 2, false, false, 0, Outcome::Failed,
         u"Error_FlashingToolFailed\nexit status 2"_s},
    };
    for (const auto& c : cases) {
        const WriteVerdict verdict = velt::decideWriteOutcome({{}, c.error, true, c.exitStatus},
                                                              c.started, c.almostComplete, c.count);
        EXPECT_EQ(verdict.outcome, c.outcome) << c.error.toStdString();
        EXPECT_EQ(verdict.alertText(), c.alert) << c.error.toStdString();
    }
}

TEST(WriteVerdict, AlertShowsTheEndOfALongText)
{
    QString lines;
    for (int i = 1; i <= 30; ++i)
        lines += u"line %1\n"_s.arg(i);
    lines.chop(1);
    const QString lastTwenty = lines.sliced(lines.indexOf(u"line 11"_s));
    const QString wide = QString(5000, u'x') + u"\U0001F600"_s + QString(4095, u'y');
    const QString cases[][2] = {
        {lines, u"…\n"_s + lastTwenty},
        // Never more than 4096 characters, never half a surrogate pair.
        {wide, u"…\n"_s + wide.right(4095)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(velt::alertTail(c[0]), c[1]);
}
