#include "update/WriteVerdict.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using velt::WriteVerdict;
using Outcome = WriteVerdict::Outcome;

namespace {

const QString dfuMode = u"dfu-util: Failed to enter DFU mode."_s;
const QString getStatus = u"[!] Failed DFU_GETSTATUS: 0xe00002d8."_s;

WriteVerdict verdict(Outcome outcome, const char* key = nullptr, QString toolText = {},
                     bool counts = false)
{
    WriteVerdict v;
    v.outcome = outcome;
    v.messageKey = key;
    v.toolErrorText = std::move(toolText);
    v.countsStatusFailure = counts;
    return v;
}

} // namespace

namespace velt {
// Readable failures in the tables below.
std::ostream& operator<<(std::ostream& out, const WriteVerdict& v)
{
    return out << "outcome " << int(v.outcome) << " key " << (v.messageKey ? v.messageKey : "-")
               << " text \"" << v.toolErrorText.toStdString() << "\" counts "
               << v.countsStatusFailure;
}

} // namespace velt

TEST(WriteVerdict, JudgesTheToolsErrorText)
{
    const QString otherFailure = u"[!] No device found\n[!] Giving up"_s;
    const QString markerNotLast = dfuMode + u"\n[!] Resetting device"_s;
    const struct
    {
        QString error;
        bool started;
        bool almostComplete;
        qint64 count;
        WriteVerdict expected;
    } cases[] = {
        // Nothing on standard error is success, whatever the exit status was.
        {u""_s, false, false, 0, verdict(Outcome::Succeeded)},
        {u""_s, true, false, 0, verdict(Outcome::Succeeded)},
        // Past 99 per cent any error text is disregarded.
        {otherFailure, true, true, 0, verdict(Outcome::Succeeded)},
        {getStatus, true, true, 0, verdict(Outcome::Succeeded)},
        {dfuMode, false, false, 0, verdict(Outcome::Failed, "Description_DFUMode")},
        {u"line\n"_s + dfuMode, true, false, 2, verdict(Outcome::Failed, "Description_DFUMode")},
        {u"Failed to enter DFU mode."_s, false, false, 0,
         verdict(Outcome::Failed, "Description_DFUMode")},
        // The status failure after writing began is final.
        {getStatus, true, false, 0, verdict(Outcome::Failed, "Error_FailedToGetStatus")},
        // Before writing began it is counted and retried, five runs in all.
        {getStatus, false, false, 0, verdict(Outcome::RetryLater, nullptr, {}, true)},
        {getStatus, false, false, 3, verdict(Outcome::RetryLater, nullptr, {}, true)},
        {getStatus, false, false, 4, verdict(Outcome::GaveUp, "Error_FailedToGetStatus", {}, true)},
        {getStatus, false, false, std::numeric_limits<qint64>::max(),
         verdict(Outcome::GaveUp, "Error_FailedToGetStatus", {}, true)},
        // A marker that is not on the last line, or anything else: the whole text.
        {markerNotLast, false, false, 0, verdict(Outcome::Failed, nullptr, markerNotLast)},
        {dfuMode + u"\n"_s, false, false, 0, verdict(Outcome::Failed, nullptr, dfuMode + u"\n"_s)},
        {otherFailure, false, false, 0, verdict(Outcome::Failed, nullptr, otherFailure)},
        {u"Failed DFU_GETSTATUS: 0xe00002d9."_s, false, false, 0,
         verdict(Outcome::Failed, nullptr, u"Failed DFU_GETSTATUS: 0xe00002d9."_s)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(velt::decideWriteOutcome(c.error, c.started, c.almostComplete, c.count),
                  c.expected)
            << c.error.toStdString() << " started " << c.started << " almost " << c.almostComplete
            << " count " << c.count;
    }
}
