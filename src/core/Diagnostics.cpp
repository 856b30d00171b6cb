// SPDX-License-Identifier: Apache-2.0
#include "core/Diagnostics.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSysInfo>
#include <cstdio>
#include <deque>
#include <mutex>

namespace velt {
namespace {

// Compared by name in the handler: the category object itself may be gone while the process
// exits and Qt still logs.
constexpr char categoryName[] = "velt";
Q_LOGGING_CATEGORY(diagnosticLines, categoryName)

const QString logFileName = QStringLiteral("velt-firmware-updater.log");
// Enough for a long session with many retries; a runaway loop must not eat the memory.
constexpr size_t maxRunLines = 20'000;

// The run's lines and the log file. Qt calls the message handler on whichever thread logs, its
// own threads included, so all of this is used under the one lock, which also keeps lines
// from different threads whole and in the same order on standard output and in the file.
struct DiagnosticsLog
{
    std::mutex mutex;
    QtMessageHandler qtHandler = nullptr; // Qt's own messages go on to it as before
    std::deque<QString> runLines;
    bool keeping = false; // a log was opened: the run's lines are kept
    QString folder;
    QFile file;
    qint64 fileSize = 0;
    qint64 maxBytes = 0;

    void keep(const QString& line);
    void giveUpFile(const QString& reason);
};

DiagnosticsLog& diagnostics()
{
    // Never destroyed: Qt's threads may still log while the process exits.
    static auto* instance = new DiagnosticsLog;
    return *instance;
}

void DiagnosticsLog::keep(const QString& line)
{
    if (!keeping)
        return;
    const QString stamped = QDateTime::currentDateTime().toString(Qt::ISODateWithMs) + u' ' + line;
    runLines.push_back(stamped);
    if (runLines.size() > maxRunLines)
        runLines.pop_front();
    if (!file.isOpen())
        return;
    const QByteArray bytes = stamped.toUtf8() + '\n';
    if (file.write(bytes) != bytes.size())
        return giveUpFile(file.errorString());
    fileSize += bytes.size();
    if (fileSize < maxBytes)
        return;
    // Keep the two newest older files: enough to reach back to the last failure.
    file.close();
    const QString path = file.fileName();
    QFile::remove(path + QStringLiteral(".2"));
    QFile::rename(path + QStringLiteral(".1"), path + QStringLiteral(".2"));
    QFile::rename(path, path + QStringLiteral(".1"));
    fileSize = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        giveUpFile(file.errorString());
}

void DiagnosticsLog::giveUpFile(const QString& reason)
{
    const QByteArray message = "velt-firmware-updater: cannot write the diagnostics log in " +
                               folder.toLocal8Bit() + ": " + reason.toLocal8Bit() +
                               "; diagnostics go to standard output only\n";
    std::fwrite(message.constData(), 1, static_cast<size_t>(message.size()), stderr);
    file.close();
    folder.clear();
}

// Our lines go to standard output as they are; Qt's messages go where Qt would send them.
// Both are kept for the run and the file.
void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    DiagnosticsLog& log = diagnostics();
    const bool ours = qstrcmp(context.category, categoryName) == 0;
    QtMessageHandler forward = nullptr;
    {
        std::lock_guard lock(log.mutex);
        if (ours) {
            const QByteArray bytes = message.toUtf8() + '\n';
            std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
            std::fflush(stdout);
        } else {
            forward = log.qtHandler;
        }
        log.keep(ours ? message : qFormatLogMessage(type, context, message));
    }
    if (forward)
        forward(type, context, message);
}

void installMessageHandler()
{
    static const bool installed = [] {
        DiagnosticsLog& log = diagnostics();
        std::lock_guard lock(log.mutex);
        log.qtHandler = qInstallMessageHandler(handleMessage);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

void logLine(const QString& line)
{
    installMessageHandler();
    qCInfo(diagnosticLines).noquote().nospace() << line;
}

void logContext(const QString& line)
{
    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    log.keep(line);
}

void openDiagnosticsLog(const QString& folder, const QString& applicationVersion, qint64 maxBytes)
{
    installMessageHandler();
    const QString header =
        QStringLiteral("---- velt-firmware-updater %1, Qt %2 (built with %3), %4")
            .arg(applicationVersion, QString::fromLatin1(qVersion()),
                 QStringLiteral(QT_VERSION_STR), QSysInfo::prettyProductName());
    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    log.keeping = true;
    log.runLines.clear();
    log.folder = folder;
    log.maxBytes = maxBytes;
    log.file.close();
    log.file.setFileName(QDir(folder).filePath(logFileName));
    if (!QDir().mkpath(folder))
        log.giveUpFile(QStringLiteral("the folder cannot be created"));
    else if (!log.file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        log.giveUpFile(log.file.errorString());
    log.fileSize = log.file.isOpen() ? log.file.size() : 0;
    log.keep(header);
}

void closeDiagnosticsLog()
{
    DiagnosticsLog& log = diagnostics();
    std::lock_guard lock(log.mutex);
    log.file.close();
    log.folder.clear();
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
    return log.file.isOpen() ? log.folder : QString();
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
