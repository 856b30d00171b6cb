// SPDX-License-Identifier: Apache-2.0
#include "update/WriteVerdict.h"

#include "core/Localization.h"

#include <cstring>

namespace velt {

QString WriteVerdict::alertText() const
{
    if (!messageKey)
        return toolErrorText;
    const QString message = formatWithInteger(localizedString(messageKey), messageValue);
    return toolErrorText.isEmpty() ? message : message + u'\n' + toolErrorText;
}

bool WriteVerdict::operator==(const WriteVerdict& other) const
{
    const bool sameKey = (messageKey == nullptr) == (other.messageKey == nullptr) &&
                         (messageKey == nullptr || std::strcmp(messageKey, other.messageKey) == 0);
    return outcome == other.outcome && sameKey && messageValue == other.messageValue &&
           toolErrorText == other.toolErrorText && countsStatusFailure == other.countsStatusFailure;
}

QString alertTail(const QString& text)
{
    // Start after the newline that ends the line before the last alertTextLines lines.
    qsizetype start = 0;
    qsizetype position = text.size();
    for (qsizetype lines = 0; lines < WriteVerdict::alertTextLines && position > 0; ++lines) {
        position = text.lastIndexOf(u'\n', position - 1);
        if (position < 0)
            break;
        if (lines == WriteVerdict::alertTextLines - 1)
            start = position + 1;
    }
    if (text.size() - start > WriteVerdict::alertTextCharacters) {
        start = text.size() - WriteVerdict::alertTextCharacters;
        if (text.at(start).isLowSurrogate())
            ++start; // never half a character
    }
    if (start == 0)
        return text;
    return QStringLiteral("…\n") + text.sliced(start);
}

WriteVerdict decideWriteOutcome(const Shell::Outcome& run, bool writeStarted,
                                bool writeAlmostComplete, qint64 getStatusRetryCount,
                                const DeviceWatcher::AccessContext& access)
{
    WriteVerdict verdict;
    const QString& errorText = run.error;
    if (run.succeeded() && (errorText.isEmpty() || writeAlmostComplete))
        return verdict;

    // Only the last line counts: a marker on an earlier line was followed by something else.
    const QStringView lastLine = QStringView(errorText).sliced(errorText.lastIndexOf(u'\n') + 1);
    verdict.outcome = WriteVerdict::Outcome::Failed;
    if (lastLine.endsWith(QStringView(WriteVerdict::dfuModeMarker))) {
        verdict.messageKey = "Description_DFUMode";
    } else if (lastLine.endsWith(QStringView(WriteVerdict::getStatusMarker))) {
        verdict.messageKey = "Error_FailedToGetStatus";
        if (!writeStarted) {
            // Nothing was written yet, so running the tool again is safe.
            verdict.countsStatusFailure = true;
            if (getStatusRetryCount < WriteVerdict::maximumStatusFailures - 1) {
                verdict.outcome = WriteVerdict::Outcome::RetryLater;
                verdict.messageKey = nullptr;
            } else {
                // Five runs and the device never took a block: it did not answer, and
                // nothing was written.
                verdict.outcome = WriteVerdict::Outcome::GaveUp;
                verdict.messageKey = "Error_DeviceDidNotAnswer";
            }
        }
    } else if (run.signal != 0) {
        // Ended by a signal: the runner's line naming it stays behind the details.
        verdict.messageKey = "Error_FlashingToolStopped";
        verdict.messageValue = run.signal;
    } else if (const DeviceWatcher::Presence state =
                   run.exitStatus == WriteVerdict::severalDevicesExit
                       ? DeviceWatcher::Presence::Several
                   : run.exitStatus == WriteVerdict::deviceDeniedExit
                       ? DeviceWatcher::Presence::Denied
                   : run.exitStatus == WriteVerdict::deviceBusyExit
                       ? DeviceWatcher::Presence::Busy
                       : DeviceWatcher::Presence::Unknown;
               state != DeviceWatcher::Presence::Unknown) {
        // The sentence first, then the tool's own last line; all it said goes behind the details.
        verdict.messageKey = DeviceWatcher::stateKey(state, access);
        verdict.toolErrorText = lastLine.toString();
    } else if (errorText.trimmed().isEmpty()) {
        // A failure without a word (or with bytes that were not text): say how it ended.
        verdict.messageKey = "Error_FlashingToolFailed";
        verdict.messageValue = run.exitStatus;
    } else {
        verdict.toolErrorText = alertTail(errorText);
    }
    return verdict;
}

} // namespace velt
