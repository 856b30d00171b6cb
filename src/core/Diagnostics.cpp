// SPDX-License-Identifier: Apache-2.0
#include "core/Diagnostics.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>

namespace velt {
namespace {

const QString logFileName = QStringLiteral("velt-firmware-updater.log");
// Enough for a long session with many retries; a runaway loop must not eat the memory.
constexpr size_t maxRunLines = 20'000;
constexpr size_t maxQueuedLines = 20'000;

// Lines reach the file through one writer thread: callers (any thread, the main thread
// included) only append to a queue under the lock that also orders standard output.
class DiagnosticsLog
{
public:
    std::mutex mutex;
    std::condition_variable wakeWriter;
    std::condition_variable lineWritten;
    std::deque<QByteArray> queue;
    quint64 queuedCount = 0;
    quint64 writtenCount = 0;
    quint64 droppedCount = 0;
    std::deque<QString> runLines;
    bool keeping = false;  // the run's lines are being kept (a log was opened)
    bool fileOpen = false; // lines are queued for the file
    bool stopping = false;
    QString folder;
    std::thread writer;

    void append(const QString& stamped)
    {
        runLines.push_back(stamped);
        if (runLines.size() > maxRunLines)
            runLines.pop_front();
        if (!fileOpen)
            return;
        if (queue.size() >= maxQueuedLines) {
            ++droppedCount;
            return;
        }
        queue.push_back(stamped.toUtf8() + '\n');
        ++queuedCount;
        wakeWriter.notify_one();
    }

    void run(const QString& logFolder, qint64 maxBytes);

private:
    bool openFile(QFile& file, const QString& logFolder);
    void giveUpFile(const QString& logFolder, const QString& reason);
};

DiagnosticsLog& diagnostics()
{
    // Never destroyed: threads may still log while the process exits.
    static auto* instance = new DiagnosticsLog;
    return *instance;
}

QString stamped(const QString& line)
{
    return QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + u' ' + line;
}

bool DiagnosticsLog::openFile(QFile& file, const QString& logFolder)
{
    if (!QDir().mkpath(logFolder))
        return false;
    file.setFileName(QDir(logFolder).filePath(logFileName));
    return file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void DiagnosticsLog::giveUpFile(const QString& logFolder, const QString& reason)
{
    const QByteArray message = "velt-firmware-updater: cannot write the diagnostics log in " +
                               logFolder.toLocal8Bit() + ": " + reason.toLocal8Bit() +
                               "; diagnostics go to standard output only\n";
    std::fwrite(message.constData(), 1, static_cast<size_t>(message.size()), stderr);
    std::lock_guard lock(mutex);
    fileOpen = false;
    writtenCount = queuedCount;
    queue.clear();
    lineWritten.notify_all();
}

void DiagnosticsLog::run(const QString& logFolder, qint64 maxBytes)
{
    QFile file;
    if (!openFile(file, logFolder)) {
        giveUpFile(logFolder, file.fileName().isEmpty()
                                  ? QStringLiteral("the folder cannot be created")
                                  : file.errorString());
        return;
    }
    const QDir dir(logFolder);
    for (;;) {
        std::deque<QByteArray> batch;
        quint64 dropped = 0;
        {
            std::unique_lock lock(mutex);
            wakeWriter.wait(lock, [this] { return stopping || !queue.empty(); });
            if (queue.empty())
                return;
            batch.swap(queue);
            std::swap(dropped, droppedCount);
        }
        if (dropped > 0)
            batch.push_back(
                stamped(QStringLiteral("(%1 lines left out: the disk was too slow)").arg(dropped))
                    .toUtf8() +
                '\n');
        for (const QByteArray& bytes : batch) {
            if (file.write(bytes) != bytes.size()) {
                giveUpFile(logFolder, file.errorString());
                return;
            }
            if (file.size() >= maxBytes) {
                // Keep the two newest older files: enough to reach back to the last failure.
                file.close();
                QFile::remove(dir.filePath(logFileName + QStringLiteral(".2")));
                QFile::rename(dir.filePath(logFileName + QStringLiteral(".1")),
                              dir.filePath(logFileName + QStringLiteral(".2")));
                QFile::rename(file.fileName(), dir.filePath(logFileName + QStringLiteral(".1")));
                if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
                    giveUpFile(logFolder, file.errorString());
                    return;
                }
            }
        }
        file.flush();
        std::lock_guard lock(mutex);
        writtenCount += batch.size() - (dropped > 0 ? 1 : 0);
        lineWritten.notify_all();
    }
}

} // namespace

void logLine(const QString& line)
{
    DiagnosticsLog& log = diagnostics();
    const QByteArray bytes = line.toUtf8() + '\n';
    std::lock_guard lock(log.mutex);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    if (log.keeping)
        log.append(stamped(line));
}

void logContext(const QString& line)
{
    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    if (log.keeping)
        log.append(stamped(line));
}

void openDiagnosticsLog(const QString& folder, const QString& applicationVersion, qint64 maxBytes)
{
    closeDiagnosticsLog();
    static std::once_flag closeAtExit;
    std::call_once(closeAtExit, [] { std::atexit([] { closeDiagnosticsLog(); }); });

    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    log.keeping = true;
    log.fileOpen = true;
    log.stopping = false;
    log.folder = folder;
    log.runLines.clear();
    log.append(stamped(QStringLiteral("---- velt-firmware-updater %1, Qt %2 (built with %3), %4")
                           .arg(applicationVersion, QString::fromLatin1(qVersion()),
                                QStringLiteral(QT_VERSION_STR), QSysInfo::prettyProductName())));
    log.writer = std::thread([&log, folder, maxBytes] { log.run(folder, maxBytes); });
}

void closeDiagnosticsLog()
{
    DiagnosticsLog& log = diagnostics();
    std::thread writer;
    {
        std::lock_guard lock(log.mutex);
        log.stopping = true;
        log.wakeWriter.notify_one();
        writer.swap(log.writer);
    }
    if (writer.joinable())
        writer.join();
    std::lock_guard lock(log.mutex);
    log.fileOpen = false;
    log.folder.clear();
}

bool flushDiagnosticsLog(std::chrono::milliseconds timeout)
{
    DiagnosticsLog& log = diagnostics();
    std::unique_lock lock(log.mutex);
    const quint64 target = log.queuedCount;
    return log.lineWritten.wait_for(lock, timeout,
                                    [&log, target] { return log.writtenCount >= target; });
}

QString defaultDiagnosticsFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/velt-firmware-updater");
}

QString diagnosticsFolder()
{
    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    return log.fileOpen ? log.folder : QString();
}

QString runDiagnostics()
{
    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    QString text;
    for (const QString& line : log.runLines)
        text += line + u'\n';
    return text;
}

} // namespace velt
