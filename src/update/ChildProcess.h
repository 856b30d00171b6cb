#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace velt {

// Runs one program directly from its path (no shell, no search path) with its standard output
// and standard error on two pipes, reads both on the calling thread until the program and
// anything it left running have closed them, then reaps it. Standard input, environment and
// working directory are the application's; the child starts with default signal handling.
class ChildProcess
{
public:
    // Receives the bytes of one read, on the calling thread, in order.
    using ChunkHandler = std::function<void(const char* data, qsizetype size)>;

    struct Outcome
    {
        bool started = false;
        QString startFailure; // why it could not be started, when not started
        int exitStatus = -1;  // exit status when it exited normally
        int signal = 0;       // the signal that ended it, or 0

        bool succeeded() const { return started && signal == 0 && exitStatus == 0; }
    };

    static Outcome run(const QString& path, const QStringList& arguments,
                       const ChunkHandler& onOutput, const ChunkHandler& onError);
};

} // namespace velt
