// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/DeviceWatcher.h"
#include "update/Shell.h"

#include <QString>

namespace velt {

// What to do when one run of the flashing tool has ended, judged from how it ended, its standard
// error and what its progress lines showed. Only a tool that exited 0 can have succeeded: a
// non-zero exit or a signal is a failure however far the progress got. A tool that exited 0
// succeeded when its standard error is empty or more than 99 per cent was written.
struct WriteVerdict
{
    enum class Outcome {
        Succeeded,  // show the Finish button
        Failed,     // show the alert with alertText()
        RetryLater, // a status failure before any data was written: run again after the delay
        GaveUp,     // the same for the fifth time: no further run; alertText() says why
    };

    // The failures the tool reports at the end of its last line of standard error (after a
    // prefix of its own).
    static constexpr const char16_t* dfuModeMarker = u"Failed to enter DFU mode.";
    static constexpr const char16_t* getStatusMarker = u"Failed DFU_GETSTATUS: 0xe00002d8.";

    // The tool's exit codes for a device it could not use (see tools/dfu-util/ExitCode.h): the
    // alert says what is wrong in the user's words, as the DFU setup page does.
    static constexpr int severalDevicesExit = 3;
    static constexpr int deviceDeniedExit = 4;
    static constexpr int deviceBusyExit = 9;

    // Runs that may end in the early status failure: the first and four retries.
    static constexpr qint64 maximumStatusFailures = 5;

    Outcome outcome = Outcome::Succeeded;
    // The most of the tool's error text an alert shows: its end, where the tool says why.
    static constexpr qsizetype alertTextLines = 20;
    static constexpr qsizetype alertTextCharacters = 4096;

    // Failed and GaveUp: the message key of the alert's text, or null when the alert shows the
    // tool's own error text.
    const char* messageKey = nullptr;
    // The number a keyed text's one conversion shows: the exit status or the signal.
    qint64 messageValue = 0;
    // Failed without a message key: the end of the tool's error text (see alertTail); with a
    // key for the device's state, the tool's own last line.
    QString toolErrorText;
    // RetryLater and GaveUp: the caller adds 1 to its count of early status failures.
    bool countsStatusFailure = false;

    // The alert's text: the localized message, or the tool's error text.
    QString alertText() const;

    bool operator==(const WriteVerdict&) const;
};

// The last alertTextLines lines of the text, and of those at most the last
// alertTextCharacters characters; "…" on a line of its own stands for what was left out.
QString alertTail(const QString& text);

// run: how the tool ended, with its standard error as the runner hands it over (last character
// removed); it must have started. writeStarted: a progress line was seen during this run.
// writeAlmostComplete: a progress line showed more than 99 per cent written.
// getStatusRetryCount: early status failures counted so far, before this run; it is not
// changed here (see WriteVerdict::countsStatusFailure).
// access: what decides the advice for a device this user may not open (exit 4).
WriteVerdict decideWriteOutcome(const Shell::Outcome& run, bool writeStarted,
                                bool writeAlmostComplete, qint64 getStatusRetryCount,
                                const DeviceWatcher::AccessContext& access = {});

} // namespace velt
