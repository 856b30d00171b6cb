// SPDX-License-Identifier: Apache-2.0
#include "update/DeviceWatcher.h"

#include "core/Diagnostics.h"

#include <QHash>

namespace velt {

DeviceWatcher::DeviceWatcher(QString toolPath, QString vendorId, QString productId, QObject* parent)
    : QObject(parent), m_toolPath(std::move(toolPath)),
      m_arguments({QStringLiteral("--watch"), std::move(vendorId), std::move(productId)})
{
    m_tool.setProcessChannelMode(QProcess::SeparateChannels);
    // The tool's complaints (no USB access, say) are for the diagnostics, not for the window.
    m_tool.setStandardErrorFile(QProcess::nullDevice());
    connect(&m_tool, &QProcess::readyReadStandardOutput, this, &DeviceWatcher::readLines);
    connect(&m_tool, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            lost(QStringLiteral("could not be started (%1)").arg(m_tool.errorString()));
    });
    connect(&m_tool, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        lost(status == QProcess::CrashExit ? QStringLiteral("crashed")
                                           : QStringLiteral("ended with status %1").arg(exitCode));
    });
}

DeviceWatcher::~DeviceWatcher()
{
    // No signal from here: whoever listens may be half destroyed already.
    stopTool();
}

void DeviceWatcher::stop()
{
    stopTool();
    setPresence(Presence::Unknown);
}

void DeviceWatcher::stopTool()
{
    m_stopping = true;
    if (m_tool.state() == QProcess::NotRunning)
        return;
    // The tool ends when its input closes; waits are short so the window never hangs here.
    m_tool.closeWriteChannel();
    if (!m_tool.waitForFinished(500)) {
        m_tool.terminate();
        if (!m_tool.waitForFinished(1000)) {
            m_tool.kill();
            m_tool.waitForFinished(1000);
        }
    }
}

void DeviceWatcher::start()
{
    if (m_tool.state() != QProcess::NotRunning)
        return;
    m_pending.clear();
    m_stopping = false;
    m_tool.start(m_toolPath, m_arguments, QIODevice::ReadWrite);
}

void DeviceWatcher::readLines()
{
    m_pending += m_tool.readAllStandardOutput();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end).trimmed();
        m_pending.remove(0, end + 1);
        if (line.isEmpty())
            continue;
        // A word this version does not know is a state it cannot use.
        static const QHash<QByteArray, Presence> words = {{"present", Presence::Present},
                                                          {"absent", Presence::Absent},
                                                          {"several", Presence::Several},
                                                          {"denied", Presence::Denied},
                                                          {"busy", Presence::Busy}};
        setPresence(words.value(line, Presence::Unknown));
    }
    // A tool that never ends a line must not grow the buffer without end.
    if (m_pending.size() > 4096)
        m_pending.clear();
}

void DeviceWatcher::setPresence(Presence presence)
{
    if (presence == m_presence)
        return;
    m_presence = presence;
    emit presenceChanged(presence);
}

void DeviceWatcher::lost(const QString& reason)
{
    if (m_stopping)
        return;
    logLine(m_toolPath + QStringLiteral(" --watch ") + reason +
            QStringLiteral("; the device's presence is not known."));
    setPresence(Presence::Unknown);
}

} // namespace velt
