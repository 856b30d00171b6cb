// SPDX-License-Identifier: Apache-2.0
#include "PresenceWatch.h"

#include "SystemClock.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <sys/signalfd.h>
#include <unistd.h>

namespace velt::dfu {

namespace {

constexpr int kProbeIntervalMs = 2000;

void report(std::FILE* out, DeviceState state)
{
    std::fputs(deviceStateWord(state), out);
    std::fputc('\n', out);
    std::fflush(out);
}

// Denied and busy clear without an event on the bus: the rule applied, the other program gone.
bool clearsQuietly(DeviceState state)
{
    return state == DeviceState::Denied || state == DeviceState::Busy;
}

int64_t nowMs()
{
    return int64_t(SystemClock().nowUs() / 1000);
}

int fail(std::FILE* err, const Outcome& result)
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

const char* deviceStateWord(DeviceState state)
{
    static constexpr const char* kWords[] = {"absent", "several", "denied", "busy", "present"};
    return kWords[int(state)];
}

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
    const Outcome started = source.start();
    if (started.failed())
        return fail(err, started);
    DeviceState reported = source.state();
    report(out, reported);
    int64_t nextProbe = nowMs() + kProbeIntervalMs;

    for (;;) {
        std::vector<pollfd> waits = {{input, POLLIN, 0}, {stopSignals, POLLIN, 0}};
        const std::vector<pollfd> own = source.descriptors();
        waits.insert(waits.end(), own.begin(), own.end());
        int timeout = source.timeoutMs();
        if (clearsQuietly(reported)) {
            const int untilProbe = int(std::max<int64_t>(nextProbe - nowMs(), 0));
            timeout = timeout < 0 ? untilProbe : std::min(timeout, untilProbe);
        }
        const int ready = ::poll(waits.data(), nfds_t(waits.size()), timeout);
        if (ready < 0 && errno != EINTR) {
            return fail(err, {ExitCode::UsbFailure, std::string("Waiting for USB events failed: ") +
                                                        std::strerror(errno) + "."});
        }
        if (ready > 0 && waits[0].revents != 0 && !inputOpen(input))
            return int(ExitCode::Success);
        if (ready > 0 && waits[1].revents != 0)
            return int(ExitCode::Success);
        Outcome updated = source.update();
        if (!updated.failed() && clearsQuietly(source.state()) && nowMs() >= nextProbe) {
            updated = source.probe();
            nextProbe = nowMs() + kProbeIntervalMs;
        }
        if (updated.failed())
            return fail(err, updated);
        if (source.state() != reported) {
            reported = source.state();
            report(out, reported);
            nextProbe = nowMs() + kProbeIntervalMs;
        }
    }
}

} // namespace velt::dfu
