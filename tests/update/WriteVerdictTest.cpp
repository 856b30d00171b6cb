// SPDX-License-Identifier: Apache-2.0
#include "update/WriteVerdict.h"

#include "update/FlashingProgress.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using velt::WriteVerdict;
using Outcome = WriteVerdict::Outcome;

// The verdicts the stage tests do not reach with a stub tool (see UpdateSessionTest.ToolFaults).
// A row's progress is the last progress line of the run, if there was one; the runner has
// removed the last character of the error text.
TEST(WriteVerdict, OnlyAToolThatExitedZeroSucceeds)
{
    const QString getStatus = u"[!] Failed DFU_GETSTATUS: 0xe00002d8."_s;
    const struct
    {
        QString error;
        int exitStatus;
        std::optional<velt::ProgressUpdate> progress;
        qint64 count; // status failures counted before this run
        Outcome outcome;
        QString alert;
    } cases[] = {
        {u"warning"_s, 0, {{50, 100}}, 0, Outcome::Failed, u"warning"_s},
        {u"warning"_s, 0, {{5, 0}}, 0, Outcome::Succeeded, u""_s},
        {u"warning"_s, 1, {{5, 0}}, 0, Outcome::Failed, u"warning"_s},
        {getStatus, 0, {}, 0, Outcome::RetryLater, u""_s},
        {getStatus, 1, {}, 3, Outcome::RetryLater, u""_s},
        {getStatus, 74, {}, 4, Outcome::GaveUp, u"Error_DeviceDidNotAnswer"_s},
        {getStatus, 1, {{0, 100}}, 0, Outcome::Failed, u"Error_FailedToGetStatus"_s},
        {getStatus + u'\n', 1, {}, 0, Outcome::Failed, getStatus + u'\n'},
        {u"Failed DFU_GETSTATUS: 0xe00002d9."_s,
         1,
         {},
         0,
         Outcome::Failed,
         u"Failed DFU_GETSTATUS: 0xe00002d9."_s},
        {u" \n"_s, 2, {}, 0, Outcome::Failed, u"Error_FlashingToolFailed\nexit status 2"_s},
    };
    for (const auto& c : cases) {
        const bool almostComplete =
            c.progress &&
            velt::progressTextFor(c.progress->written, c.progress->total).almostComplete;
        const WriteVerdict verdict = velt::decideWriteOutcome(
            {{}, c.error, true, c.exitStatus}, c.progress.has_value(), almostComplete, c.count);
        const std::string row = c.error.toStdString() + ", count " + std::to_string(c.count);
        EXPECT_EQ(verdict.outcome, c.outcome) << row;
        EXPECT_EQ(verdict.alertText(), c.alert) << row;
        EXPECT_EQ(verdict.countsStatusFailure,
                  c.outcome == Outcome::RetryLater || c.outcome == Outcome::GaveUp)
            << row;
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
