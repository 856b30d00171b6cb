#pragma once

#include "core/VeltError.h"

#include <QObject>
#include <QString>
#include <functional>

namespace velt {

struct ProgressUpdate;

// Writes the verified image into the device with the flashing tool carried among the
// application's resources ("dfu-util" VID PID IMAGE). Lives on the main thread. The tool's
// standard output drives progress(); when it ends, the outcome is judged on the main thread
// after every progress line it printed has been applied. An early status failure is retried
// after half a second, up to four times.
class FlashingStage : public QObject
{
    Q_OBJECT

public:
    explicit FlashingStage(QObject* parent = nullptr);

    // Called on the main thread just before each run of the tool, and on the runner's thread
    // as soon as a run has ended. The application raises and lowers its quit guard here.
    void setQuitGuard(std::function<void()> disableQuit, std::function<void()> enableQuit);

    // Runs the tool on the image file. Main thread.
    void startWriting(const QString& imagePath);

    bool writeStarted() const { return m_writeStarted; }
    bool writeAlmostComplete() const { return m_writeAlmostComplete; }
    qint64 getStatusRetryCount() const { return m_getStatusRetryCount; }

    // Tests only: another tool than the one among the resources (empty: back to it), and a
    // shorter delay before a retry.
    static void setToolPathForTesting(const QString& path);
    static void setRetryDelayForTesting(int milliseconds);

signals:
    // The bar's maximum and value, and the localized status text to show with them.
    void progress(double written, double total, const QString& statusText);
    void succeeded();
    void failed(const velt::VeltError& error);

private:
    class ProgressLink;

    void run();
    void progressLine(const ProgressUpdate& update);
    void writeDidFinish(const QString& errorText);
    void fail(const QString& description);

    std::function<void()> m_disableQuit;
    std::function<void()> m_enableQuit;
    QString m_imagePath;
    bool m_writeStarted = false;
    bool m_writeAlmostComplete = false;
    qint64 m_getStatusRetryCount = 0;
};

} // namespace velt
