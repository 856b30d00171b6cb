#pragma once

#include <QString>

namespace velt {

// What to do when one run of the flashing tool has ended, judged from its standard error and
// from what its progress lines showed. The exit status plays no part: an empty standard error
// is success, and once more than 99 per cent was written any error text is disregarded.
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

    static constexpr int retryDelayMilliseconds = 500;
    // Runs that may end in the early status failure: the first and four retries.
    static constexpr qint64 maximumStatusFailures = 5;

    Outcome outcome = Outcome::Succeeded;
    // Failed and GaveUp: the message key of the alert's text, or null when the alert shows the
    // tool's own error text.
    const char* messageKey = nullptr;
    // Failed without a message key: the tool's whole error text, every line, as it wrote it.
    QString toolErrorText;
    // RetryLater and GaveUp: the caller adds 1 to its count of early status failures.
    bool countsStatusFailure = false;

    // The alert's text: the localized message, or the tool's error text.
    QString alertText() const;

    bool operator==(const WriteVerdict&) const;
};

// errorText: the tool's standard error as the runner hands it over (last character removed).
// writeStarted: a progress line was seen during this run. writeAlmostComplete: a progress line
// showed more than 99 per cent written. getStatusRetryCount: early status failures counted so
// far, before this run; it is not changed here (see WriteVerdict::countsStatusFailure).
WriteVerdict decideWriteOutcome(const QString& errorText, bool writeStarted,
                                bool writeAlmostComplete, qint64 getStatusRetryCount);

} // namespace velt
