// SPDX-License-Identifier: Apache-2.0
#include "SimulatedPresence.h"

#include "UsbError.h"

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velt::dfu {

namespace {

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool simulatedDeviceConnected(const SimulatorSettings& settings)
{
    struct stat status
    {
    };
    return !settings.absent &&
           (settings.presencePath.empty() || ::stat(settings.presencePath.c_str(), &status) == 0);
}

SimulatedPresence::SimulatedPresence(SimulatorSettings settings) : m_settings(std::move(settings))
{
}

SimulatedPresence::~SimulatedPresence()
{
    if (m_inotify >= 0)
        ::close(m_inotify);
}

Outcome SimulatedPresence::start()
{
    if (!m_settings.absent && !m_settings.presencePath.empty()) {
        // The folder, not the file: a file that does not exist yet cannot be watched.
        const std::string folder = folderOf(m_settings.presencePath);
        m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_inotify < 0 || inotify_add_watch(m_inotify, folder.c_str(),
                                               IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                                   IN_DELETE_SELF | IN_MOVE_SELF) < 0) {
            return {ExitCode::Usage, "VELT_DFU_SIMULATOR: presence-file: cannot watch " + folder +
                                         ": " + std::strerror(errno) + "."};
        }
    }
    return probe();
}

std::vector<pollfd> SimulatedPresence::descriptors()
{
    if (m_inotify < 0)
        return {};
    return {{m_inotify, POLLIN, 0}};
}

Outcome SimulatedPresence::update()
{
    // Which file changed does not matter: whether ours exists now is the answer.
    alignas(inotify_event) char events[4096];
    while (m_inotify >= 0 && ::read(m_inotify, events, sizeof events) > 0) {
    }
    return probe();
}

Outcome SimulatedPresence::probe()
{
    if (!simulatedDeviceConnected(m_settings))
        m_state = DeviceState::Absent;
    else if (m_settings.count > 1)
        m_state = DeviceState::Several;
    else if (m_settings.openError == UsbErrorAccess)
        m_state = DeviceState::Denied;
    else if (m_settings.openError == UsbErrorBusy)
        m_state = DeviceState::Busy;
    else
        m_state = DeviceState::Present;
    return {};
}

} // namespace velt::dfu
