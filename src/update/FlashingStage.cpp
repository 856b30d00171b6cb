#include "update/FlashingStage.h"

#include "catalogue/FirmwareList.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "update/FlashingProgress.h"
#include "update/Shell.h"
#include "update/WriteVerdict.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

namespace velt {
namespace {

// Runs work on the main thread with the stage, if the stage still exists by then. Calls made
// from one thread run in the order they were made, so the judgement queued by the end of a
// run always comes after the progress lines that run printed.
void onMainThread(const QPointer<FlashingStage>& stage, std::function<void(FlashingStage&)> work)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [stage, work = std::move(work)] {
            if (stage)
                work(*stage);
        },
        Qt::QueuedConnection);
}

} // namespace

// The stage's side of the shell runner: parses each piece of the tool's output on the
// runner's thread and hands the progress lines to the main thread.
class FlashingStage::ProgressLink final : public ShellDelegate
{
public:
    explicit ProgressLink(QPointer<FlashingStage> stage) : m_stage(std::move(stage)) {}

    void shellDidReceiveOutput(const QString& output) override
    {
        for (const ProgressUpdate& update : parseProgressOutput(output))
            onMainThread(m_stage, [update](FlashingStage& stage) { stage.progressLine(update); });
    }

private:
    QPointer<FlashingStage> m_stage;
};

FlashingStage::FlashingStage(Settings settings, QObject* parent)
    : QObject(parent), m_settings(std::move(settings))
{
}

void FlashingStage::startWriting(const QString& imagePath)
{
    m_imagePath = imagePath;
    run();
}

void FlashingStage::run()
{
    const QString& tool = m_settings.toolPath;
    const QFileInfo toolInfo(tool);
    if (tool.isEmpty() || !toolInfo.exists()) {
        logLine(QStringLiteral("dfu-util not found"));
        fail(localizedString("Error_FlashingToolUnavailable"));
        return;
    }
    if (!toolInfo.isFile() || !toolInfo.isExecutable()) {
        logLine(QStringLiteral("dfu-util is not executable: ") + tool);
        fail(localizedString("Error_FlashingToolUnavailable"));
        return;
    }

    m_writeStarted = false;
    emit toolRunningChanged(true);

    const QPointer<FlashingStage> self(this);
    Shell::setDelegate(std::make_shared<ProgressLink>(self));
    const QStringList arguments = {QString::fromLatin1(dfuVendorId),
                                   QString::fromLatin1(dfuProductId), m_imagePath};
    Shell::run(tool, arguments, [self](const QString& output, const QString& error) {
        // The runner's thread. The judgement waits for the main thread and the progress
        // lines queued before it.
        logLine(QStringLiteral("STDOUT:") + output + QStringLiteral(", STDERR:") + error);
        onMainThread(self, [error](FlashingStage& stage) { stage.runEnded(error); });
    });
}

void FlashingStage::progressLine(const ProgressUpdate& update)
{
    const ProgressText text = progressTextFor(update.written, update.total);
    m_writeStarted = true;
    if (text.almostComplete)
        m_writeAlmostComplete = true;
    emit progress(update.written, update.total, localizedString(text.key));
}

void FlashingStage::runEnded(const QString& errorText)
{
    emit toolRunningChanged(false);
    writeDidFinish(errorText);
}

void FlashingStage::writeDidFinish(const QString& errorText)
{
    if (Shell::failedToStart(errorText)) {
        fail(localizedString("Error_FlashingToolUnavailable") + QLatin1Char('\n') +
             errorText.section(QLatin1Char('\n'), -1));
        return;
    }
    if (Shell::endedBySignal(errorText)) {
        // A tool that crashed has not finished its work, however far its progress got.
        fail(errorText);
        return;
    }
    const WriteVerdict verdict =
        decideWriteOutcome(errorText, m_writeStarted, m_writeAlmostComplete, m_getStatusRetryCount);
    if (verdict.countsStatusFailure)
        ++m_getStatusRetryCount;
    switch (verdict.outcome) {
    case WriteVerdict::Outcome::Succeeded:
        emit succeeded();
        break;
    case WriteVerdict::Outcome::RetryLater:
        QTimer::singleShot(m_settings.retryDelay, this, &FlashingStage::run);
        break;
    case WriteVerdict::Outcome::Failed:
    case WriteVerdict::Outcome::GaveUp:
        fail(verdict.alertText());
        break;
    }
}

void FlashingStage::fail(const QString& description)
{
    emit failed(VeltError::withDescription(VeltError::updateCode, description));
}

} // namespace velt
