// SPDX-License-Identifier: Apache-2.0
#include "update/WriteVerdict.h"

#include "update/FlashingProgress.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using velt::WriteVerdict;
using enum WriteVerdict::Outcome;

// The verdicts the stage tests do not reach with a stub tool (see UpdateSessionTest.ToolFaults),
// with the status text of the run's last progress line, if there was one: more than 99 per
// cent, in floating point, is finishing, and so is something written of a total of 0. The
// runner has removed the last character of the error text. An alert shows the end of a long
// text: at most 20 lines, of those at most 4096 characters, never half a surrogate pair.
TEST(WriteVerdict, OnlyAToolThatExitedZeroSucceeds)
{
    const QString getStatus = u"[!] Failed DFU_GETSTATUS: 0xe00002d8."_s;
    const QString otherStatus = u"Failed DFU_GETSTATUS: 0xe00002d9."_s;
    QString lines;
    for (int i = 1; i <= 30; ++i)
        lines += u"line %1\n"_s.arg(i);
    lines.chop(1);
    const QString wide = QString(5000, u'x') + u"\U0001F600"_s + QString(4095, u'y');
    const struct
    {
        QString error;
        int exitStatus, count; // count: status failures counted before this run
        std::optional<velt::ProgressUpdate> progress;
        const char* status;
        WriteVerdict::Outcome outcome;
        QString alert;
    } cases[] = {
        {u"warning"_s, 0, 0, {{99, 100}}, "Info_Writing", Failed, u"warning"_s},
        {u"warning"_s, 0, 0, {{0, 0}}, "Info_Writing", Failed, u"warning"_s},
        {u"warning"_s, 0, 0, {{99.01, 100}}, "Info_Finishing", Succeeded, u""_s},
        {u"warning"_s, 1, 0, {{5, 0}}, "Info_Finishing", Failed, u"warning"_s},
        {getStatus, 0, 0, {}, "", RetryLater, u""_s},
        {getStatus, 1, 3, {}, "", RetryLater, u""_s},
        {getStatus, 74, 4, {}, "", GaveUp, u"Error_DeviceDidNotAnswer"_s},
        {getStatus, 1, 0, {{0, 100}}, "Info_Writing", Failed, u"Error_FailedToGetStatus"_s},
        {getStatus + u'\n', 1, 0, {}, "", Failed, getStatus + u'\n'},
        {otherStatus, 1, 0, {}, "", Failed, otherStatus},
        {u" \n"_s, 2, 0, {}, "", Failed, u"Error_FlashingToolFailed"_s},
        // A device the tool could not use, told by its exit code, in the user's words first;
        // the markers still decide first.
        // clang-format off
        {u"[i] one\n[!] two devices"_s, 3, 0, {}, "", Failed,
         u"Info_DeviceSeveral\n[!] two devices"_s},
        {u"[!] LIBUSB_ERROR_ACCESS"_s, 4, 0, {}, "", Failed,
         u"Info_DeviceDeniedNoRule\n[!] LIBUSB_ERROR_ACCESS"_s},
        // clang-format on
        {u"[!] busy"_s, 9, 0, {}, "", Failed, u"Info_DeviceBusy\n[!] busy"_s},
        {u"[!] Failed to enter DFU mode."_s, 4, 0, {}, "", Failed, u"Description_DFUMode"_s},
        {lines, 1, 0, {}, "", Failed, u"…\n"_s + lines.sliced(lines.indexOf(u"line 11"_s))},
        {wide, 1, 0, {}, "", Failed, u"…\n"_s + wide.right(4095)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error.left(60).toStdString() + ", count " + std::to_string(c.count));
        const velt::ProgressText text =
            c.progress ? velt::progressTextFor(c.progress->written, c.progress->total)
                       : velt::ProgressText{"", false};
        const WriteVerdict verdict =
            velt::decideWriteOutcome({{}, c.error, true, c.exitStatus}, c.progress.has_value(),
                                     text.almostComplete, c.count);
        EXPECT_STREQ(text.key, c.status);
        EXPECT_EQ(verdict.outcome, c.outcome);
        EXPECT_EQ(verdict.alertText(), c.alert);
        EXPECT_EQ(verdict.countsStatusFailure, c.outcome == RetryLater || c.outcome == GaveUp);
    }
}
