// SPDX-License-Identifier: Apache-2.0
#include "update/Shell.h"

#include "core/Diagnostics.h"
#include "update/ChildProcess.h"
#include "update/TextAccumulator.h"
#include "update/Utf8PieceDecoder.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace velt {

namespace {

std::mutex delegateMutex;
std::shared_ptr<ShellDelegate> currentDelegate;

// Text in double quotes with quotes, backslashes and control characters escaped, as the log
// lines show it: "a\"b\n".
QString quoted(const QString& text)
{
    QString result;
    result.reserve(text.size() + 2);
    result += u'"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\':
            result += u"\\\\";
            break;
        case u'"':
            result += u"\\\"";
            break;
        case u'\'':
            result += u"\\'";
            break;
        case u'\0':
            result += u"\\0";
            break;
        case u'\t':
            result += u"\\t";
            break;
        case u'\n':
            result += u"\\n";
            break;
        case u'\r':
            result += u"\\r";
            break;
        default:
            if (u < 0x20 || u == 0x7F)
                result += QStringLiteral("\\u{%1}").arg(int(u), 2, 16, QLatin1Char('0'));
            else
                result += c;
        }
    }
    result += u'"';
    return result;
}

QString listNotation(const QStringList& items)
{
    QStringList quotedItems;
    quotedItems.reserve(items.size());
    for (const QString& item : items)
        quotedItems.append(quoted(item));
    return u'[' + quotedItems.join(QStringLiteral(", ")) + u']';
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

void logEnd(const QString& launchPath, const ChildProcess::Outcome& outcome)
{
    logLine(launchPath +
            (outcome.succeeded() ? QStringLiteral(" succeeded.") : QStringLiteral(" failed.")));
}

const QString startFailurePrefix = QStringLiteral("Cannot start \"");
const QString signalLinePrefix = QStringLiteral("Terminated by signal ");

QString startFailureText(const QString& path, const QString& reason)
{
    return startFailurePrefix + path + QStringLiteral("\": ") + reason + u'.';
}

// The error text a run hands back: what the program wrote, and a line saying why it did not
// run or did not end by itself.
QString finalErrorText(QString error, const ChildProcess::Outcome& outcome, const QString& path)
{
    QString ending;
    if (!outcome.started) {
        ending = startFailureText(path, outcome.startFailure);
    } else if (outcome.signal != 0) {
        if (outcome.stoppedSilent)
            ending = QStringLiteral("Stopped: no output for too long.\n");
        const char* name = sigdescr_np(outcome.signal); // thread-safe, unlike strsignal
        ending += signalLinePrefix +
                  QStringLiteral("%1 (%2).")
                      .arg(outcome.signal)
                      .arg(name ? QString::fromLocal8Bit(name) : QStringLiteral("unknown signal"));
    }
    if (ending.isEmpty())
        return error;
    if (!error.isEmpty())
        error += u'\n';
    return error + ending;
}

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

    logLine(QStringLiteral("\n> ") + command + u' ' + listNotation(arguments));
    logLine(u'(' + quoted(result.output) + QStringLiteral(", ") + quoted(result.error) + u')');
    return result;
}

Shell::Result Shell::runAndWait(const QString& launchPath, const QStringList& arguments)
{
    // Invalid bytes become U+FFFD here: the texts are all a caller learns of the run.
    TextAccumulator output;
    TextAccumulator error;
    const ChildProcess::Outcome outcome = ChildProcess::run(
        launchPath, arguments,
        [&](const char* data, qsizetype size) { output.appendUtf8(data, size); },
        [&](const char* data, qsizetype size) { error.appendUtf8(data, size); });
    logEnd(launchPath, outcome);
    return {removeLastCharacter(output.take()),
            finalErrorText(removeLastCharacter(error.take()), outcome, launchPath)};
}

void Shell::runInBackground(const QString& launchPath, const QStringList& arguments,
                            Completion completion, std::chrono::milliseconds silenceLimit)
{
    // One thread per run does the start, every read and the completion, so the pieces reach
    // the delegate in order and the accumulators have a single writer.
    auto work = [launchPath, arguments, completion, silenceLimit]() {
        TextAccumulator output;
        TextAccumulator error;
        Utf8PieceDecoder outputDecoder;
        Utf8PieceDecoder errorDecoder;
        const ChildProcess::Outcome outcome = ChildProcess::run(
            launchPath, arguments,
            [&](const char* data, qsizetype size) {
                const std::optional<QString> piece = outputDecoder.decode(data, size);
                if (!piece || piece->isEmpty())
                    return;
                if (const std::shared_ptr<ShellDelegate> receiver = delegate())
                    receiver->shellDidReceiveOutput(*piece);
                output.append(*piece);
            },
            [&](const char* data, qsizetype size) {
                if (const std::optional<QString> piece = errorDecoder.decode(data, size))
                    error.append(*piece);
            },
            silenceLimit);
        if (outcome.started) {
            // The rest is whatever a read left incomplete at the very end.
            const QString rest = outputDecoder.finish();
            if (const std::shared_ptr<ShellDelegate> receiver = delegate())
                receiver->shellDidReceiveOutput(rest);
            output.append(rest);
            error.append(errorDecoder.finish());
        }
        logEnd(launchPath, outcome);
        if (completion) {
            completion({removeLastCharacter(output.take()),
                        finalErrorText(removeLastCharacter(error.take()), outcome, launchPath),
                        outcome.started, outcome.exitStatus, outcome.signal,
                        outcome.stoppedSilent});
        }
    };
    try {
        std::thread(std::move(work)).detach();
    } catch (const std::system_error& failure) {
        // No thread to run on: report it like any other start failure, from here.
        logLine(launchPath + QStringLiteral(" failed."));
        if (completion) {
            Outcome outcome;
            outcome.error = startFailureText(launchPath, QString::fromLocal8Bit(failure.what()));
            completion(std::move(outcome));
        }
    }
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

void Shell::setDelegate(std::shared_ptr<ShellDelegate> delegate)
{
    std::lock_guard lock(delegateMutex);
    currentDelegate = std::move(delegate);
}

std::shared_ptr<ShellDelegate> Shell::delegate()
{
    std::lock_guard lock(delegateMutex);
    return currentDelegate;
}

} // namespace velt
