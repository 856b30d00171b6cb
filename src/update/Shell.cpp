// SPDX-License-Identifier: Apache-2.0
#include "update/Shell.h"

#include "core/Diagnostics.h"

#include <QCoreApplication>
#include <QHash>
#include <QProcess>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace velt {

namespace {

std::shared_ptr<ShellDelegate> currentDelegate;

// Text in double quotes with quotes, backslashes and control characters escaped, as the log
// lines show it: "a\"b\n".
QString quoted(const QString& text)
{
    static const QHash<char16_t, QString> escapes = {
        {u'\\', QStringLiteral("\\\\")}, {u'"', QStringLiteral("\\\"")},
        {u'\'', QStringLiteral("\\'")},  {u'\0', QStringLiteral("\\0")},
        {u'\t', QStringLiteral("\\t")},  {u'\n', QStringLiteral("\\n")},
        {u'\r', QStringLiteral("\\r")}};
    QString result = QStringLiteral("\"");
    for (const QChar c : text) {
        if (const auto escape = escapes.constFind(c.unicode()); escape != escapes.cend())
            result += *escape;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            result += QStringLiteral("\\u{%1}").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result + u'"';
}

// The command as `which` gets it through the shell. Plain names stay as they are; anything
// else is single-quoted so that the login shell cannot run part of it.
QString shellWord(const QString& command)
{
    const bool plain =
        !command.isEmpty() && std::all_of(command.begin(), command.end(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                   (c >= u'0' && c <= u'9') || c == u'.' || c == u'_' || c == u'-' || c == u'+' ||
                   c == u'/';
        });
    if (plain)
        return command;
    QString word = command;
    word.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + word + u'\'';
}

void setUp(QProcess& process)
{
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setChildProcessModifier(&Shell::prepareChild);
}

// QProcess words a failed start "execve: No such file or directory"; the log and the alert
// name the path themselves.
QString startFailureText(const QString& path, const QProcess& process)
{
    const QString reason = path.isEmpty() ? QStringLiteral("no program path given")
                                          : process.errorString().section(QStringLiteral(": "), -1);
    return QStringLiteral("Cannot start \"") + path + QStringLiteral("\": ") + reason + u'.';
}

// The error text a run hands back: what the program wrote, and a line saying why it did not
// end by itself.
QString finalErrorText(QString error, int signal, bool stoppedSilent)
{
    if (signal == 0)
        return error;
    QString ending;
    if (stoppedSilent)
        ending = QStringLiteral("Stopped: no output for too long.\n");
    const char* name = sigdescr_np(signal);
    ending += QStringLiteral("Terminated by signal %1 (%2).")
                  .arg(signal)
                  .arg(name ? QString::fromLocal8Bit(name) : QStringLiteral("unknown signal"));
    if (!error.isEmpty())
        error += u'\n';
    return error + ending;
}

void logEnd(const QString& launchPath, bool succeeded)
{
    logLine(launchPath + (succeeded ? QStringLiteral(" succeeded.") : QStringLiteral(" failed.")));
}

// How a started program ended, with both texts. On Linux, QProcess reports the signal that
// ended a program as its exit code.
Shell::Outcome endedOutcome(const QProcess& process, QString output, QString error,
                            bool stoppedSilent)
{
    const bool crashed = process.exitStatus() == QProcess::CrashExit;
    Shell::Outcome outcome;
    outcome.started = true;
    outcome.exitStatus = crashed ? -1 : process.exitCode();
    outcome.signal = crashed ? process.exitCode() : 0;
    outcome.stoppedSilent = stoppedSilent;
    outcome.output = Shell::removeLastCharacter(std::move(output));
    outcome.error =
        finalErrorText(Shell::removeLastCharacter(std::move(error)), outcome.signal, stoppedSilent);
    return outcome;
}

// One background run: a QProcess on the main thread's event loop. It deletes itself once the
// completion has been called.
class BackgroundRun : public QObject
{
public:
    BackgroundRun(const QString& launchPath, Shell::Completion completion,
                  std::chrono::milliseconds silenceLimit)
        : QObject(QCoreApplication::instance()), m_launchPath(launchPath),
          m_completion(std::move(completion))
    {
        setUp(m_process);
        connect(&m_process, &QProcess::readyReadStandardOutput, this,
                [this] { read(QProcess::StandardOutput); });
        connect(&m_process, &QProcess::readyReadStandardError, this,
                [this] { read(QProcess::StandardError); });
        connect(&m_process, &QProcess::finished, this, &BackgroundRun::finished);
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                failedToStart();
        });
        if (silenceLimit.count() > 0) {
            m_silence.setSingleShot(true);
            m_silence.setInterval(silenceLimit);
            connect(&m_silence, &QTimer::timeout, this, &BackgroundRun::stopSilent);
        }
    }

    void start(const QStringList& arguments)
    {
        if (m_launchPath.isEmpty()) {
            // QProcess would not report this as a failed start.
            QTimer::singleShot(0, this, &BackgroundRun::failedToStart);
            return;
        }
        m_process.start(m_launchPath, arguments, QIODevice::ReadOnly);
        if (m_silence.interval() > 0)
            m_silence.start();
    }

private:
    // What the stream has brought since the last read. A character cut between two reads is
    // kept whole for the next; a piece that is not UTF-8 is dropped whole, and the decoder
    // starts afresh after it. Only standard output reaches the delegate.
    void read(QProcess::ProcessChannel channel)
    {
        if (m_silence.isActive())
            m_silence.start();
        const bool output = channel == QProcess::StandardOutput;
        QStringDecoder& decoder = output ? m_outputDecoder : m_errorDecoder;
        m_process.setReadChannel(channel);
        const QString piece = decoder.decode(m_process.readAll());
        if (decoder.hasError()) {
            decoder.resetState();
            return;
        }
        if (output && !piece.isEmpty()) {
            if (const std::shared_ptr<ShellDelegate> receiver = Shell::delegate())
                receiver->shellDidReceiveOutput(piece);
        }
        (output ? m_output : m_error) += piece;
    }

    void stopSilent()
    {
        // A program that neither prints nor ends is stuck: ask it to end, then make it.
        m_stoppedSilent = true;
        m_process.terminate();
        QTimer::singleShot(Shell::stopGrace, this, [this] { m_process.kill(); });
    }

    void finished()
    {
        m_silence.stop();
        read(QProcess::StandardOutput);
        read(QProcess::StandardError);
        if (const std::shared_ptr<ShellDelegate> receiver = Shell::delegate())
            receiver->shellDidReceiveOutput(QString());
        complete(endedOutcome(m_process, std::move(m_output), std::move(m_error), m_stoppedSilent));
    }

    void failedToStart()
    {
        Shell::Outcome outcome;
        outcome.error = startFailureText(m_launchPath, m_process);
        complete(std::move(outcome));
    }

    void complete(Shell::Outcome outcome)
    {
        if (m_completed)
            return;
        m_completed = true;
        logEnd(m_launchPath, outcome.succeeded());
        if (m_completion)
            m_completion(std::move(outcome));
        deleteLater();
    }

    QString m_launchPath;
    Shell::Completion m_completion;
    QProcess m_process;
    QTimer m_silence;
    QStringDecoder m_outputDecoder{QStringDecoder::Utf8};
    QStringDecoder m_errorDecoder{QStringDecoder::Utf8};
    QString m_output;
    QString m_error;
    bool m_stoppedSilent = false;
    bool m_completed = false;
};

} // namespace

Shell::Result Shell::run(const QString& command, const QStringList& arguments,
                         Completion completion, std::chrono::milliseconds silenceLimit)
{
    Result result;
    QString launchPath = command;
    if (!command.startsWith(u'/')) {
        launchPath =
            runAndWait(QStringLiteral("/bin/bash"), {QStringLiteral("-l"), QStringLiteral("-c"),
                                                     QStringLiteral("which ") + shellWord(command)})
                .output;
    }
    if (completion)
        runInBackground(launchPath, arguments, std::move(completion), silenceLimit);
    else
        result = runAndWait(launchPath, arguments);

    QStringList quotedArguments;
    for (const QString& argument : arguments)
        quotedArguments.append(quoted(argument));
    logLine(QStringLiteral("\n> ") + command + QStringLiteral(" [") +
            quotedArguments.join(QStringLiteral(", ")) + u']');
    logLine(u'(' + quoted(result.output) + QStringLiteral(", ") + quoted(result.error) + u')');
    return result;
}

Shell::Result Shell::runAndWait(const QString& launchPath, const QStringList& arguments)
{
    QProcess process;
    setUp(process);
    if (launchPath.isEmpty()) {
        logEnd(launchPath, false);
        return {QString(), startFailureText(launchPath, process)};
    }
    process.start(launchPath, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        logEnd(launchPath, false);
        return {QString(), startFailureText(launchPath, process)};
    }
    // Qt drains both pipes while it waits, so output of any size cannot stall the program.
    process.waitForFinished(-1);
    // Invalid bytes become U+FFFD here: the texts are all a caller learns of the run.
    const Outcome outcome =
        endedOutcome(process, QString::fromUtf8(process.readAllStandardOutput()),
                     QString::fromUtf8(process.readAllStandardError()), false);
    logEnd(launchPath, outcome.succeeded());
    return {outcome.output, outcome.error};
}

void Shell::runInBackground(const QString& launchPath, const QStringList& arguments,
                            Completion completion, std::chrono::milliseconds silenceLimit)
{
    (new BackgroundRun(launchPath, std::move(completion), silenceLimit))->start(arguments);
}

QString Shell::removeLastCharacter(QString text)
{
    const qsizetype size = text.size();
    if (size == 0)
        return text;
    // Two ASCII characters other than "\r\n" always have a character boundary between them,
    // whatever precedes them; only the text after the last such pair needs the boundary
    // finder, which would otherwise analyse the whole (possibly very long) text.
    qsizetype start = 0;
    for (qsizetype i = size - 1; i > 0; --i) {
        const char16_t before = text.at(i - 1).unicode();
        const char16_t after = text.at(i).unicode();
        if (before < 0x80 && after < 0x80 && !(before == u'\r' && after == u'\n')) {
            start = i;
            break;
        }
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.mid(start));
    finder.toEnd();
    const qsizetype lastBoundary = finder.toPreviousBoundary();
    text.truncate(start + (lastBoundary > 0 ? lastBoundary : 0));
    return text;
}

// What a child is started with besides its arguments: a process group of its own, so that the
// signals a terminal sends to its foreground group (Ctrl-C, a hang-up) reach this application
// and never the program, and the default handling of every signal this application changed.
// Runs in the child between fork and exec: async-signal-safe calls only.
void Shell::prepareChild()
{
    ::setpgid(0, 0);
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE})
        ::sigaction(signal, &defaultAction, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

void Shell::setDelegate(std::shared_ptr<ShellDelegate> delegate)
{
    currentDelegate = std::move(delegate);
}

std::shared_ptr<ShellDelegate> Shell::delegate()
{
    return currentDelegate;
}

} // namespace velt
