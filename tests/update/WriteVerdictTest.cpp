// SPDX-License-Identifier: Apache-2.0
#include "update/WriteVerdict.h"

#include "update/FlashingProgress.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using velt::WriteVerdict;
using Outcome = WriteVerdict::Outcome;

// The verdicts the stage tests do not reach with a stub tool (see UpdateSessionTest.ToolFaults),
// with the status text of the run's last progress line, if there was one: more than 99 per
// cent, in floating point, is finishing, and so is something written of a total of 0. The
// runner has removed the last character of the error text.
TEST(WriteVerdict, OnlyAToolThatExitedZeroSucceeds)
{
    const QString getStatus = u"[!] Failed DFU_GETSTATUS: 0xe00002d8."_s;
    const struct
    {
        QString error;
        int exitStatus, count; // count: status failures counted before this run
        std::optional<velt::ProgressUpdate> progress;
        const char* status;
        Outcome outcome;
        QString alert;
    } cases[] = {
        {u"warning"_s, 0, 0, {{99, 100}}, "Info_Writing", Outcome::Failed, u"warning"_s},
        {u"warning"_s, 0, 0, {{0, 0}}, "Info_Writing", Outcome::Failed, u"warning"_s},
        {u"warning"_s, 0, 0, {{99.01, 100}}, "Info_Finishing", Outcome::Succeeded, u""_s},
        {u"warning"_s, 0, 0, {{5, 0}}, "Info_Finishing", Outcome::Succeeded, u""_s},
        {u"warning"_s, 1, 0, {{5, 0}}, "Info_Finishing", Outcome::Failed, u"warning"_s},
        {getStatus, 0, 0, {}, "", Outcome::RetryLater, u""_s},
        {getStatus, 1, 3, {}, "", Outcome::RetryLater, u""_s},
        {getStatus, 74, 4, {}, "", Outcome::GaveUp, u"Error_DeviceDidNotAnswer"_s},
        {getStatus,
         1,
         0,
         {{0, 100}},
         "Info_Writing",
         Outcome::Failed,
         u"Error_FailedToGetStatus"_s},
        {getStatus + u'\n', 1, 0, {}, "", Outcome::Failed, getStatus + u'\n'},
        {u"Failed DFU_GETSTATUS: 0xe00002d9."_s,
         1,
         0,
         {},
         "",
         Outcome::Failed,
         u"Failed DFU_GETSTATUS: 0xe00002d9."_s},
        {u" \n"_s, 2, 0, {}, "", Outcome::Failed, u"Error_FlashingToolFailed\nexit status 2"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error.toStdString() + ", count " + std::to_string(c.count));
        const velt::ProgressText text =
            c.progress ? velt::progressTextFor(c.progress->written, c.progress->total)
                       : velt::ProgressText{"", false};
        const WriteVerdict verdict =
            velt::decideWriteOutcome({{}, c.error, true, c.exitStatus}, c.progress.has_value(),
                                     text.almostComplete, c.count);
        EXPECT_STREQ(text.key, c.status);
        EXPECT_EQ(verdict.outcome, c.outcome);
        EXPECT_EQ(verdict.alertText(), c.alert);
        EXPECT_EQ(verdict.countsStatusFailure,
                  c.outcome == Outcome::RetryLater || c.outcome == Outcome::GaveUp);
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
