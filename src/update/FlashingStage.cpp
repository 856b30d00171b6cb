// SPDX-License-Identifier: Apache-2.0
#include "update/FlashingStage.h"

#include "catalogue/FirmwareList.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "update/FlashingProgress.h"
#include "update/Md5.h"
#include "update/Shell.h"
#include "update/WriteVerdict.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <mutex>
#include <thread>

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

// Pairs a digest thread's post of its result with the main thread's receipt of it.
std::mutex checkHandoff;

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

FlashingStage::~FlashingStage()
{
    // A digest that arrives after this is dropped (the post holds a guarded pointer); the
    // thread computing it is not left running past the stage.
    if (m_checkDone.valid())
        m_checkDone.wait();
}

void FlashingStage::startWriting(const QString& imagePath)
{
    m_imagePath = imagePath;
    checkImageThenRun();
}

void FlashingStage::checkImageThenRun()
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

    // The file may have been replaced since it was verified (by another program, or during
    // the hand-over): hash it again, on a thread of its own so the window stays responsive
    // for an image of hundreds of megabytes. The handoff lock orders the thread's work before
    // the main thread's use of the result, as the image writer's does.
    std::promise<void> checked;
    m_checkDone = checked.get_future();
    const QPointer<FlashingStage> self(this);
    std::thread([self, path = m_imagePath, checked = std::move(checked)]() mutable {
        QString readError;
        const std::optional<QString> digest = md5OfFile(path, &readError);
        {
            const std::lock_guard lock(checkHandoff);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, digest, readError] {
                    {
                        const std::lock_guard lock(checkHandoff);
                    }
                    if (self)
                        self->imageChecked(digest, readError);
                },
                Qt::QueuedConnection);
        }
        checked.set_value();
    }).detach();
}

void FlashingStage::imageChecked(const std::optional<QString>& digest, const QString& readError)
{
    if (!digest || *digest != m_settings.expectedDigest) {
        logLine(QStringLiteral("file hash does not match before writing: ") +
                (digest ? *digest : readError));
        QString text = localizedString("Error_FileHashDoesNotMatch");
        if (!digest)
            text += QLatin1Char('\n') + readError;
        fail(text);
        return;
    }
    run();
}

void FlashingStage::run()
{
    const QString& tool = m_settings.toolPath;
    m_writeStarted = false;
    emit toolRunningChanged(true);

    const QPointer<FlashingStage> self(this);
    Shell::setDelegate(std::make_shared<ProgressLink>(self));
    const QStringList arguments = {QString::fromLatin1(dfuVendorId),
                                   QString::fromLatin1(dfuProductId), m_imagePath};
    const auto completion = [self](Shell::Outcome outcome) {
        // The runner's thread. The judgement waits for the main thread and the progress
        // lines queued before it.
        logLine(QStringLiteral("STDOUT:") + outcome.output + QStringLiteral(", STDERR:") +
                outcome.error);
        outcome.output.clear(); // the progress lines have carried it already
        onMainThread(self, [outcome = std::move(outcome)](FlashingStage& stage) {
            stage.runEnded(outcome);
        });
    };
    Shell::run(tool, arguments, completion, m_settings.silentToolTimeout);
}

void FlashingStage::progressLine(const ProgressUpdate& update)
{
    const ProgressText text = progressTextFor(update.written, update.total);
    m_writeStarted = true;
    if (text.almostComplete)
        m_writeAlmostComplete = true;
    emit progress(update.written, update.total, localizedString(text.key));
}

void FlashingStage::runEnded(const Shell::Outcome& outcome)
{
    emit toolRunningChanged(false);
    writeDidFinish(outcome);
}

void FlashingStage::writeDidFinish(const Shell::Outcome& outcome)
{
    if (!outcome.started) {
        fail(localizedString("Error_FlashingToolUnavailable") + QLatin1Char('\n') +
             outcome.error.section(QLatin1Char('\n'), -1));
        return;
    }
    if (outcome.stoppedSilent) {
        // A tool that neither prints nor ends is stuck (an image path that blocks on open, a
        // device that swallowed a request): it has been stopped, and the user is told so.
        fail(localizedString("Error_FlashingToolNotResponding"));
        return;
    }
    const WriteVerdict verdict =
        decideWriteOutcome(outcome, m_writeStarted, m_writeAlmostComplete, m_getStatusRetryCount);
    if (verdict.countsStatusFailure)
        ++m_getStatusRetryCount;
    switch (verdict.outcome) {
    case WriteVerdict::Outcome::Succeeded:
        emit succeeded();
        break;
    case WriteVerdict::Outcome::RetryLater:
        QTimer::singleShot(m_settings.retryDelay, this, &FlashingStage::checkImageThenRun);
        break;
    case WriteVerdict::Outcome::Failed:
    case WriteVerdict::Outcome::GaveUp:
        // A keyed text speaks for the tool; what the tool itself said goes behind the details.
        fail(verdict.alertText(),
             verdict.messageKey ? alertTail(outcome.error.trimmed()) : QString());
        break;
    }
}

void FlashingStage::fail(const QString& description, const QString& details)
{
    emit failed(VeltError::withDescription(VeltError::updateCode, description, details));
}

} // namespace velt
