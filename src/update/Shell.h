// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "update/ShellDelegate.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>

namespace velt {

// Runs one external program as a child process and hands back what it wrote to standard
// output and standard error, as text. Everything is type-level; Shell is never instantiated.
// Main thread only: a background run is a QProcess on the caller's event loop.
//
// A command that does not begin with "/" is first located with `which` in a login shell. The
// program itself is started directly from its path with the argument list: no shell ever
// sees the arguments. Both texts lose their last user-perceived character (normally the final
// newline). A background run hands its completion how the program ended beside the texts; the
// exit status also decides the log line "<path> succeeded." or "<path> failed.". A program
// that cannot be started yields output "" and an error text naming the path and the reason;
// one ended by a signal gets a last error line naming the signal, for the reader of the text.
//
// The program runs in a process group of its own, so a Ctrl-C in the terminal, or the hang-up
// of a closed terminal, reaches this application only: whether the program is stopped is this
// application's decision.
class Shell
{
public:
    struct Result
    {
        QString output;
        QString error;

        bool operator==(const Result&) const = default;
    };

    // How a background run ended, with both texts.
    struct Outcome
    {
        QString output;
        QString error;
        bool started = false;       // false: the program could not be started (error says why)
        int exitStatus = -1;        // its exit status when it exited by itself
        int signal = 0;             // the signal that ended it, or 0
        bool stoppedSilent = false; // the runner stopped it for writing nothing too long

        // The program ran and exited with status 0.
        bool succeeded() const { return started && signal == 0 && exitStatus == 0; }
    };

    // Receives the outcome when a background run has ended, as an event on the main thread,
    // after the delegate's last call for that run.
    using Completion = std::function<void(Outcome outcome)>;

    // How long a program stopped for its silence may take to end on SIGTERM before SIGKILL.
    static constexpr std::chrono::milliseconds stopGrace{2000};

    Shell() = delete;

    // Without a completion: blocks until the program has ended and returns both texts. With
    // one: starts the program in the background, returns ("", "") at once and hands the
    // outcome to the completion later. The lookup of a bare command name always blocks the caller.
    // silenceLimit (background runs only): see runInBackground.
    static Result run(const QString& command, const QStringList& arguments,
                      Completion completion = {}, std::chrono::milliseconds silenceLimit = {});

    // Starts launchPath with the arguments, waits for its end and returns both texts.
    static Result runAndWait(const QString& launchPath, const QStringList& arguments);

    // Returns at once. Each piece of standard output reaches the delegate as it arrives, in
    // order, and once more at the end with whatever was left (possibly nothing); then the
    // completion gets the outcome. Standard error never reaches the delegate. With a positive
    // silenceLimit, a program that writes nothing and does not end for that long is stopped
    // (SIGTERM, then SIGKILL after stopGrace) and its outcome says so.
    static void runInBackground(const QString& launchPath, const QStringList& arguments,
                                Completion completion, std::chrono::milliseconds silenceLimit = {});

    // The text without its last user-perceived character (a "\r\n" pair goes as one); empty
    // text stays empty. Pass an rvalue to have it done in place.
    static QString removeLastCharacter(QString text);

    // What every child of this application starts with, between fork and exec (a
    // QProcess child modifier): a process group of its own and default signal handling.
    static void prepareChild();

    // The one delegate of every background run, held strongly until replaced (tests reset it
    // with nullptr).
    static void setDelegate(std::shared_ptr<ShellDelegate> delegate);
    static std::shared_ptr<ShellDelegate> delegate();
};

} // namespace velt
