// SPDX-License-Identifier: Apache-2.0
#include "update/ChildProcess.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace velt {

namespace {

// Large enough to keep wake-ups (and delegate calls) few for chatty children, small enough
// that a read and the text decoded from it stay in the processor's cache.
constexpr qsizetype readSize = 256 * 1024;
// Linux lets an unprivileged process grow a pipe to 1 MiB (fs.pipe-max-size); the child then
// blocks less often while we hand a piece on. Failure only costs speed.
constexpr int wantedPipeSize = 1024 * 1024;

QString describeErrno(int error)
{
    const char* text = strerrordesc_np(error); // thread-safe, unlike strerror
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("error %1").arg(error);
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

struct Pipe
{
    int read = -1;
    int write = -1;

    // Close-on-exec, so that children started at the same time by other threads do not
    // inherit our write ends and keep our reads from ever seeing the end of the stream.
    bool open()
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return false;
        read = fds[0];
        write = fds[1];
        ::fcntl(read, F_SETPIPE_SZ, wantedPipeSize);
        return true;
    }

    ~Pipe()
    {
        closeFd(read);
        closeFd(write);
    }
};

class SpawnSetup
{
public:
    SpawnSetup(int outputFd, int errorFd)
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errorFd, STDERR_FILENO);

        // Threads of this process may block signals or ignore SIGPIPE; the program should not
        // inherit that.
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        sigset_t all;
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
};

} // namespace

ChildProcess::Outcome ChildProcess::run(const QString& path, const QStringList& arguments,
                                        const ChunkHandler& onOutput, const ChunkHandler& onError,
                                        std::chrono::milliseconds silenceLimit)
{
    Outcome outcome;
    if (path.isEmpty()) {
        outcome.startFailure = QStringLiteral("no program path given");
        return outcome;
    }

    std::vector<QByteArray> argumentBytes;
    argumentBytes.reserve(static_cast<size_t>(arguments.size()) + 1);
    argumentBytes.push_back(QFile::encodeName(path));
    for (const QString& argument : arguments)
        argumentBytes.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& bytes : argumentBytes)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);

    Pipe output;
    Pipe error;
    if (!output.open() || !error.open()) {
        outcome.startFailure = describeErrno(errno);
        return outcome;
    }

    pid_t pid = -1;
    int spawnError = 0;
    {
        SpawnSetup setup(output.write, error.write);
        spawnError =
            ::posix_spawn(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
    }
    // Only the child may hold the write ends, or the reads below would never end.
    closeFd(output.write);
    closeFd(error.write);
    if (spawnError != 0) {
        outcome.startFailure = describeErrno(spawnError);
        return outcome;
    }
    outcome.started = true;

    // A descriptor that becomes readable when the child has ended, so that a child which
    // closed its streams but never ends is still seen by the watchdog. Without one (kernels
    // before 5.3) a silent child is still stopped while its streams are open.
    int exitFd = silenceLimit.count() > 0 ? int(::syscall(SYS_pidfd_open, pid, 0)) : -1;

    using Clock = std::chrono::steady_clock;
    Clock::time_point deadline = Clock::now() + silenceLimit;
    enum class Stop { No, Terminated, Killed } stop = Stop::No;
    bool exited = false;

    std::vector<char> buffer(static_cast<size_t>(readSize));
    pollfd fds[3] = {{output.read, POLLIN, 0}, {error.read, POLLIN, 0}, {exitFd, POLLIN, 0}};
    const ChunkHandler* handlers[2] = {&onOutput, &onError};
    int openStreams = 2;
    while (openStreams > 0 || (exitFd >= 0 && !exited)) {
        // A stopped child that has ended is done with, whatever it left holding the pipes.
        if (stop != Stop::No && exited)
            break;
        int timeout = -1;
        if (silenceLimit.count() > 0 && stop != Stop::Killed) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            timeout = int(std::clamp<long long>(left, 0, 24 * 3600 * 1000));
        }
        const int ready = ::poll(fds, 3, timeout);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break; // cannot happen with valid descriptors; closing them lets the child end
        }
        if (ready == 0) {
            if (exited)
                break; // it ended by itself; only something it left behind holds the pipes
            // Silent for the whole limit: ask it to end, then make it.
            if (stop == Stop::No) {
                outcome.stoppedSilent = true;
                stop = Stop::Terminated;
                ::kill(pid, SIGTERM);
                deadline = Clock::now() + stopGrace;
            } else {
                stop = Stop::Killed;
                ::kill(pid, SIGKILL);
            }
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0)
                continue;
            const ssize_t got = ::read(fds[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                if (stop == Stop::No)
                    deadline = Clock::now() + silenceLimit;
                if (*handlers[i])
                    (*handlers[i])(buffer.data(), static_cast<qsizetype>(got));
            } else if (got == 0 || errno != EINTR) {
                fds[i].fd = -1; // the Pipe closes it
                --openStreams;
            }
        }
        if (fds[2].fd >= 0 && (fds[2].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            exited = true;
            fds[2].fd = -1;
        }
    }
    closeFd(output.read);
    closeFd(error.read);
    closeFd(exitFd);

    int status = 0;
    pid_t reaped;
    do {
        reaped = ::waitpid(pid, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == pid) {
        if (WIFEXITED(status))
            outcome.exitStatus = WEXITSTATUS(status);
        else if (WIFSIGNALED(status))
            outcome.signal = WTERMSIG(status);
    }
    return outcome;
}

} // namespace velt
