// SPDX-License-Identifier: Apache-2.0
#include "PresenceWatch.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace velt::dfu {

namespace {

void report(std::FILE* out, bool present)
{
    std::fputs(present ? "present\n" : "absent\n", out);
    std::fflush(out);
}

int fail(std::FILE* err, const WatchResult& result)
{
    std::fputs((result.message + "\n").c_str(), err);
    std::fflush(err);
    return int(result.code);
}

// Reads what is there; false once the input has ended (or was never open).
bool inputOpen(int input)
{
    char discard[256];
    const ssize_t count = ::read(input, discard, sizeof discard);
    return count > 0 || (count < 0 && (errno == EAGAIN || errno == EINTR));
}

} // namespace

int blockStopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    if (pthread_sigmask(SIG_BLOCK, &signals, nullptr) != 0)
        return -1;
    return signalfd(-1, &signals, SFD_CLOEXEC | SFD_NONBLOCK);
}

int watchPresence(PresenceSource& source, int input, int stopSignals, std::FILE* out,
                  std::FILE* err)
{
    if (stopSignals < 0)
        return fail(err, {ExitCode::UsbFailure,
                          std::string("Cannot watch for SIGTERM: ") + std::strerror(errno) + "."});
    const WatchResult started = source.start();
    if (started.code != ExitCode::Success)
        return fail(err, started);
    bool reported = source.present();
    report(out, reported);

    for (;;) {
        std::vector<pollfd> waits = {{input, POLLIN, 0}, {stopSignals, POLLIN, 0}};
        const std::vector<pollfd> own = source.descriptors();
        waits.insert(waits.end(), own.begin(), own.end());
        const int ready = ::poll(waits.data(), nfds_t(waits.size()), source.timeoutMs());
        if (ready < 0 && errno != EINTR) {
            return fail(err, {ExitCode::UsbFailure, std::string("Waiting for USB events failed: ") +
                                                        std::strerror(errno) + "."});
        }
        if (ready > 0 && waits[0].revents != 0 && !inputOpen(input))
            return int(ExitCode::Success);
        if (ready > 0 && waits[1].revents != 0)
            return int(ExitCode::Success);
        const WatchResult updated = source.update();
        if (updated.code != ExitCode::Success)
            return fail(err, updated);
        if (source.present() != reported) {
            reported = source.present();
            report(out, reported);
        }
    }
}

} // namespace velt::dfu
