#include "update/WriteVerdict.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using velt::Shell;
using velt::WriteVerdict;
using Outcome = WriteVerdict::Outcome;

namespace {

const QString dfuMode = u"dfu-util: Failed to enter DFU mode."_s;
const QString getStatus = u"[!] Failed DFU_GETSTATUS: 0xe00002d8."_s;

Shell::Outcome ended(QString error, int exitStatus, int signal = 0)
{
    return {{}, std::move(error), true, exitStatus, signal};
}

} // namespace

TEST(WriteVerdict, OnlyAToolThatExitedZeroSucceeds)
{
    const QString other = u"[!] No device found\n[!] Giving up"_s;
    const QString markerNotLast = dfuMode + u"\n[!] Resetting device"_s;
    const struct
    {
        Shell::Outcome run;
        bool started;
        bool almostComplete;
        qint64 count;
        Outcome outcome;
        QString alert; // key, or key + "\n" + detail, or the tool's text
    } cases[] = {
        {ended({}, 0), false, false, 0, Outcome::Succeeded, {}},
        // Past 99 per cent the error text of a tool that exited 0 is disregarded ...
        {ended(other, 0), true, true, 0, Outcome::Succeeded, {}},
        // ... but never a non-zero exit or a signal, whatever the progress showed.
        {ended(getStatus, 74), true, true, 0, Outcome::Failed, u"Error_FailedToGetStatus"_s},
        {ended({}, 1), true, true, 0, Outcome::Failed,
         u"Error_FlashingToolFailed\nexit status 1"_s},
        {ended(u"Terminated by signal 11 (Segmentation fault)."_s, -1, 11), true, true, 0,
         Outcome::Failed, u"Terminated by signal 11 (Segmentation fault)."_s},
        {ended(other, 0), true, false, 0, Outcome::Failed, other},
        {ended(dfuMode, 1), false, false, 0, Outcome::Failed, u"Description_DFUMode"_s},
        {ended(u"Failed to enter DFU mode."_s, 0), false, false, 0, Outcome::Failed,
         u"Description_DFUMode"_s},
        {ended(getStatus, 74), true, false, 0, Outcome::Failed, u"Error_FailedToGetStatus"_s},
        // Before writing began the status failure is retried, five runs in all.
        {ended(getStatus, 74), false, false, 0, Outcome::RetryLater, {}},
        {ended(getStatus, 74), false, false, 3, Outcome::RetryLater, {}},
        {ended(getStatus, 74), false, false, 4, Outcome::GaveUp, u"Error_FailedToGetStatus"_s},
        {ended(getStatus, 74), false, false, std::numeric_limits<qint64>::max(), Outcome::GaveUp,
         u"Error_FailedToGetStatus"_s},
        // A marker not on the last line, or any other text: the tool's own words.
        {ended(markerNotLast, 1), false, false, 0, Outcome::Failed, markerNotLast},
        {ended(u"Failed DFU_GETSTATUS: 0xe00002d9."_s, 1), false, false, 0, Outcome::Failed,
         u"Failed DFU_GETSTATUS: 0xe00002d9."_s},
        {ended(u" \n"_s, 2), false, false, 0, Outcome::Failed,
         u"Error_FlashingToolFailed\nexit status 2"_s},
    };
    for (const auto& c : cases) {
        const WriteVerdict verdict =
            velt::decideWriteOutcome(c.run, c.started, c.almostComplete, c.count);
        EXPECT_EQ(verdict.outcome, c.outcome) << c.run.error.toStdString();
        EXPECT_EQ(verdict.alertText(), c.alert) << c.run.error.toStdString();
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
        {u"one\ntwo"_s, u"one\ntwo"_s},
        {lines, u"…\n"_s + lastTwenty},
        {lastTwenty, lastTwenty},
        // Never more than 4096 characters, never half a surrogate pair.
        {wide, u"…\n"_s + wide.right(4095)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(velt::alertTail(c[0]), c[1]);
}
