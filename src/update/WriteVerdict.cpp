#include "update/WriteVerdict.h"

#include "core/Localization.h"

#include <cstring>

namespace velt {

QString WriteVerdict::alertText() const
{
    return messageKey ? localizedString(messageKey) : toolErrorText;
}

bool WriteVerdict::operator==(const WriteVerdict& other) const
{
    const bool sameKey = (messageKey == nullptr) == (other.messageKey == nullptr) &&
                         (messageKey == nullptr || std::strcmp(messageKey, other.messageKey) == 0);
    return outcome == other.outcome && sameKey && toolErrorText == other.toolErrorText &&
           countsStatusFailure == other.countsStatusFailure;
}

WriteVerdict decideWriteOutcome(const QString& errorText, bool writeStarted,
                                bool writeAlmostComplete, qint64 getStatusRetryCount)
{
    WriteVerdict verdict;
    if (errorText.isEmpty() || writeAlmostComplete)
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
                verdict.outcome = WriteVerdict::Outcome::GaveUp;
            }
        }
    } else {
        verdict.toolErrorText = errorText;
    }
    return verdict;
}

} // namespace velt
