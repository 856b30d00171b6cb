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
//
// A command that does not begin with "/" is first located with `which` in a login shell. The
// program itself is started directly from its path with the argument list: no shell ever
// sees the arguments. Both texts lose their last user-perceived character (normally the final
// newline). A background run hands its completion how the program ended beside the texts; the
// exit status also decides the log line "<path> succeeded." or "<path> failed.". A program
// that cannot be started yields output "" and an error text naming the path and the reason;
// one ended by a signal gets a last error line naming the signal, for the reader of the text.
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

    // Receives the outcome when a background run has ended, on the runner's thread. It is
    // destroyed on that thread right after the call, so it should hold nothing that must be
    // released on the main thread.
    using Completion = std::function<void(Outcome outcome)>;

    Shell() = delete;

    // Without a completion: blocks until the program has ended and returns both texts. With
    // one: starts the program in the background, returns ("", "") at once and hands the
    // outcome to the completion later. The lookup of a bare command name always blocks the caller.
    // silenceLimit (background runs only): see runInBackground.
    static Result run(const QString& command, const QStringList& arguments,
                      Completion completion = {}, std::chrono::milliseconds silenceLimit = {});

    // Starts launchPath with the arguments, waits for its end on this thread and returns
    // both texts. Output of any size is drained while the program runs.
    static Result runAndWait(const QString& launchPath, const QStringList& arguments);

    // Returns at once. The program is started on a thread of its own; each piece of standard
    // output reaches the delegate there, in order, then the completion gets the outcome. With
    // a positive silenceLimit, a program that writes nothing and does not end for that long is
    // stopped (SIGTERM, then SIGKILL) and its outcome says so.
    static void runInBackground(const QString& launchPath, const QStringList& arguments,
                                Completion completion, std::chrono::milliseconds silenceLimit = {});

    // The text without its last user-perceived character (a "\r\n" pair goes as one); empty
    // text stays empty. Pass an rvalue to have it done in place.
    static QString removeLastCharacter(QString text);

    // The one delegate of every background run. Read on the runners' threads, so guarded;
    // held strongly until replaced (tests reset it with nullptr).
    static void setDelegate(std::shared_ptr<ShellDelegate> delegate);
    static std::shared_ptr<ShellDelegate> delegate();
};

} // namespace velt
