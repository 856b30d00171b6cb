// SPDX-License-Identifier: Apache-2.0
// Times the flashing tool against the simulated device.
//   flash-1MiB      wall time for 1 MiB at full-speed-like costs (1 ms per control transfer,
//                   2 ms bwPollTimeout per block) against the protocol minimum, the sum of the
//                   delays the device imposes: 1.05 at most.
//   flash-cpu-4MiB  processor time (user + system) of the tool for 4 MiB at zero latency:
//                   100 ms at most.
// Each figure is the median of several runs.
#include "DfuFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Measurement
{
    bool ok = false;
    double wallSeconds = 0;
    double cpuMs = 0;
    std::string err;
};

std::string writeImage(size_t size)
{
    std::vector<uint8_t> payload(size);
    for (size_t i = 0; i < size; ++i)
        payload[i] = uint8_t(i * 31 + (i >> 10));
    const std::vector<uint8_t> file = velt::dfu::withDfuSuffix(payload, 0x0a12, 0xffff);
    char path[] = "/tmp/velt-flash-bench-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    const bool written = write(fd, file.data(), file.size()) == ssize_t(file.size());
    close(fd);
    return written ? path : std::string();
}

// Runs the tool with its output on pipes, as the application does, and drains both.
Measurement runTool(const std::string& image, const std::string& simulator)
{
    Measurement result;
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, err[0]);

    std::vector<std::string> environment = {"VELT_DFU_SIMULATOR=" + simulator};
    for (char** entry = environ; *entry; ++entry) {
        if (std::string(*entry).rfind("VELT_DFU_SIMULATOR=", 0) != 0)
            environment.emplace_back(*entry);
    }
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string tool = DFU_UTIL_PATH, vendor = "0a12", product = "ffff", path = image;
    char* argv[] = {tool.data(), vendor.data(), product.data(), path.data(), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned != 0) {
        close(out[0]);
        close(err[0]);
        return result;
    }
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    char buffer[65536];
    int open = 2;
    while (open > 0 && poll(fds, 2, -1) > 0) {
        for (pollfd& fd : fds) {
            if (fd.fd < 0 || !(fd.revents & (POLLIN | POLLHUP)))
                continue;
            const ssize_t count = read(fd.fd, buffer, sizeof buffer);
            if (count <= 0) {
                close(fd.fd);
                fd.fd = -1;
                --open;
            } else if (&fd == &fds[1]) {
                result.err.append(buffer, size_t(count));
            }
        }
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 && result.err.empty();
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    constexpr size_t kMiB = 1024 * 1024;
    constexpr unsigned kLatencyMs = 1, kPollMs = 2, kTransferSize = 1023;
    const std::string small = writeImage(kMiB), large = writeImage(4 * kMiB);
    if (small.empty() || large.empty()) {
        std::fprintf(stderr, "flash bench: cannot write the images to /tmp\n");
        return 1;
    }

    // GETSTATUS on opening; per block DNLOAD, GETSTATUS (busy), the poll wait, GETSTATUS
    // (idle); the end of image, GETSTATUS (manifesting), the poll wait, GETSTATUS (done).
    const size_t blocks = (kMiB + kTransferSize - 1) / kTransferSize;
    const double baseline = ((1 + 3 * blocks + 3) * kLatencyMs + (blocks + 1) * kPollMs) / 1e3;

    int failures = 0;
    std::vector<double> walls, cpus;
    for (int run = 0; run < 3; ++run) {
        const Measurement m = runTool(small, "latency-ms=" + std::to_string(kLatencyMs) +
                                                 ",poll-ms=" + std::to_string(kPollMs));
        failures += !m.ok;
        walls.push_back(m.wallSeconds);
    }
    for (int run = 0; run < 5; ++run) {
        const Measurement m = runTool(large, "1");
        failures += !m.ok;
        cpus.push_back(m.cpuMs);
    }
    std::remove(small.c_str());
    std::remove(large.c_str());

    const double wall = median(walls);
    std::printf("flash-1MiB: %.3f s baseline=%.3f s ratio=%.3f target=<=1.05\n", wall, baseline,
                wall / baseline);
    // No protocol minimum for processor time: the baseline is the budget itself.
    const double cpu = median(cpus), budgetMs = 100;
    std::printf("flash-cpu-4MiB: %.1f ms baseline=%.1f ms ratio=%.3f target=<=100ms\n", cpu,
                budgetMs, cpu / budgetMs);
    if (failures > 0) {
        std::fprintf(stderr, "flash bench: %d tool runs failed\n", failures);
        return 1;
    }
    return 0;
}
