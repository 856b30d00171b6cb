// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

namespace velt {

// Runs one program directly from its path (no shell, no search path) with its standard output
// and standard error on two pipes, reads both on the calling thread until the program and
// anything it left running have closed them (or, for a program stopped for its silence, until
// it has ended), then reaps it. Standard input, environment and
// working directory are the application's; the child starts with default signal handling.
class ChildProcess
{
public:
    // Receives the bytes of one read, on the calling thread, in order.
    using ChunkHandler = std::function<void(const char* data, qsizetype size)>;

    struct Outcome
    {
        bool started = false;
        QString startFailure;       // why it could not be started, when not started
        int exitStatus = -1;        // exit status when it exited normally
        int signal = 0;             // the signal that ended it, or 0
        bool stoppedSilent = false; // stopped by us after silenceLimit without a byte

        bool succeeded() const { return started && signal == 0 && exitStatus == 0; }
    };

    // How long a stopped child may take to end on SIGTERM before it gets SIGKILL.
    static constexpr std::chrono::milliseconds stopGrace{2000};

    // silenceLimit: when positive, a child that writes nothing on either stream and does not
    // end for this long is stopped (SIGTERM, then SIGKILL after stopGrace). Only this call
    // signals or reaps the child, on this thread, so a signal never reaches a reaped (and
    // possibly reused) process id.
    static Outcome run(const QString& path, const QStringList& arguments,
                       const ChunkHandler& onOutput, const ChunkHandler& onError,
                       std::chrono::milliseconds silenceLimit = {});
};

} // namespace velt
