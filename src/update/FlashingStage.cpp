// SPDX-License-Identifier: Apache-2.0
#include "update/FlashingStage.h"

#include "catalogue/FirmwareList.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "update/FlashingProgress.h"
#include "update/Md5.h"
#include "update/Shell.h"
#include "update/WriteVerdict.h"

#include <QFileInfo>
#include <QPointer>

namespace velt {
namespace {

// Bytes read and hashed per turn of the event loop: about a millisecond of MD5, so that the
// window stays responsive while an image of hundreds of megabytes is checked (slices of 2 MiB
// held it for 9 to 12 ms on an idle machine, and up to 23 ms on a busy one).
constexpr qint64 checkSliceSize = 512 * 1024;

} // namespace

// The stage's side of the shell runner: turns each piece of the tool's output into progress.
class FlashingStage::ProgressLink final : public ShellDelegate
{
public:
    explicit ProgressLink(QPointer<FlashingStage> stage) : m_stage(std::move(stage)) {}

    void shellDidReceiveOutput(const QString& output) override
    {
        for (const ProgressUpdate& update : parseProgressOutput(output)) {
            if (m_stage)
                m_stage->progressLine(update);
        }
    }

private:
    QPointer<FlashingStage> m_stage;
};

FlashingStage::FlashingStage(Settings settings, QObject* parent)
    : QObject(parent), m_settings(std::move(settings))
{
    m_checkSlices.setInterval(0);
    connect(&m_checkSlices, &QTimer::timeout, this, &FlashingStage::hashNextSlice);
}

void FlashingStage::startWriting(const QString& imagePath)
{
    m_imagePath = imagePath;
    checkImageThenRun();
}

void FlashingStage::checkImageThenRun()
{
    const QFileInfo tool(m_settings.toolPath);
    if (!tool.isFile() || !tool.isExecutable()) {
        logLine(tool.exists() ? QStringLiteral("dfu-util is not executable: ") + tool.filePath()
                              : QStringLiteral("dfu-util not found"));
        fail(localizedString("Error_FlashingToolUnavailable"));
        return;
    }

    // The file may have been replaced since it was verified (by another program, or during
    // the hand-over): hash it again before every run.
    m_checkHash.reset();
    m_checkedImage.close();
    m_checkedImage.setFileName(m_imagePath);
    if (!m_checkedImage.open(QIODevice::ReadOnly)) {
        imageChecked(QString(), m_checkedImage.errorString());
        return;
    }
    m_checkSlices.start();
}

void FlashingStage::hashNextSlice()
{
    const QByteArray slice = m_checkedImage.read(checkSliceSize);
    if (!slice.isEmpty()) {
        m_checkHash.addData(slice);
        return;
    }
    m_checkSlices.stop();
    const bool readFailed = m_checkedImage.error() != QFileDevice::NoError;
    const QString readError = m_checkedImage.errorString();
    m_checkedImage.close();
    imageChecked(readFailed ? QString() : hexDigest(m_checkHash), readError);
}

void FlashingStage::imageChecked(const QString& digest, const QString& readError)
{
    if (digest != m_settings.expectedDigest) {
        logLine(QStringLiteral("file hash does not match before writing: ") +
                (digest.isEmpty() ? readError : digest));
        QString text = localizedString("Error_FileHashDoesNotMatch");
        if (digest.isEmpty())
            text += QLatin1Char('\n') + readError;
        fail(text);
        return;
    }
    run();
}

void FlashingStage::run()
{
    m_writeStarted = false;
    emit toolRunningChanged(true);

    const QPointer<FlashingStage> self(this);
    Shell::setDelegate(std::make_shared<ProgressLink>(self));
    const QStringList arguments = {QString::fromLatin1(dfuVendorId),
                                   QString::fromLatin1(dfuProductId), m_imagePath};
    const auto completion = [self](const Shell::Outcome& outcome) {
        // Every progress line of the run has been applied by now.
        logLine(QStringLiteral("STDOUT:") + outcome.output + QStringLiteral(", STDERR:") +
                outcome.error);
        if (self) {
            emit self->toolRunningChanged(false);
            self->writeDidFinish(outcome);
        }
    };
    Shell::run(m_settings.toolPath, arguments, completion, m_settings.silentToolTimeout);
}

void FlashingStage::progressLine(const ProgressUpdate& update)
{
    const ProgressText text = progressTextFor(update.written, update.total);
    m_writeStarted = true;
    if (text.almostComplete)
        m_writeAlmostComplete = true;
    emit progress(update.written, update.total, localizedString(text.key));
}

void FlashingStage::writeDidFinish(const Shell::Outcome& outcome)
{
    if (!outcome.started) {
        // The system's reason is English: it goes behind the alert's details.
        fail(localizedString("Error_FlashingToolUnavailable"),
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
        decideWriteOutcome(outcome, m_writeStarted, m_writeAlmostComplete, m_getStatusRetryCount,
                           outcome.exitStatus == WriteVerdict::deviceDeniedExit
                               ? DeviceWatcher::AccessContext::current()
                               : DeviceWatcher::AccessContext());
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
