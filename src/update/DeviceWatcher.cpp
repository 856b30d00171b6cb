// SPDX-License-Identifier: Apache-2.0
#include "update/DeviceWatcher.h"

#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "update/Shell.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QFileInfo>
#include <QHash>
#include <unistd.h>

namespace velt {
namespace {

constexpr const char* udevRuleName = "70-velt-dfu.rules";

// Whether logind counts this process's session as one at a local seat. No logind, or no session
// (a cron job, a plain SSH login without pam_systemd), counts as not local: the rule's uaccess
// tag then grants nothing.
bool inLocalSession()
{
    QDBusInterface manager(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QDBusConnection::systemBus());
    if (!manager.isValid())
        return false;
    manager.setTimeout(1000);
    const QDBusReply<QDBusObjectPath> session =
        manager.call(QStringLiteral("GetSessionByPID"), quint32(::getpid()));
    if (!session.isValid())
        return false;
    QDBusInterface properties(QStringLiteral("org.freedesktop.login1"), session.value().path(),
                              QStringLiteral("org.freedesktop.DBus.Properties"),
                              QDBusConnection::systemBus());
    properties.setTimeout(1000);
    const QDBusReply<QDBusVariant> remote =
        properties.call(QStringLiteral("Get"), QStringLiteral("org.freedesktop.login1.Session"),
                        QStringLiteral("Remote"));
    return remote.isValid() && !remote.value().variant().toBool();
}

} // namespace

DeviceWatcher::AccessContext DeviceWatcher::AccessContext::current()
{
    AccessContext context;
    for (const char* folder : {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d",
                               "/lib/udev/rules.d", "/usr/local/lib/udev/rules.d"}) {
        context.ruleInstalled |=
            QFileInfo::exists(QString::fromLatin1(folder) + u'/' + QLatin1String(udevRuleName));
    }
    context.localSession = inLocalSession();
    return context;
}

const char* DeviceWatcher::stateKey(Presence presence, const AccessContext& access)
{
    switch (presence) {
    case Presence::Unknown:
        return nullptr;
    case Presence::Absent:
        return "Info_DeviceNotFound";
    case Presence::Present:
        return "Info_DeviceConnected";
    case Presence::Several:
        return "Info_DeviceSeveral";
    case Presence::Denied:
        if (!access.ruleInstalled)
            return "Info_DeviceDeniedNoRule";
        return access.localSession ? "Info_DeviceDeniedReconnect" : "Info_DeviceDeniedRemote";
    case Presence::Busy:
        return "Info_DeviceBusy";
    }
    return nullptr;
}

QString DeviceWatcher::stateText(Presence presence, const AccessContext& access)
{
    const char* key = stateKey(presence, access);
    return key ? localizedString(key) : QString();
}

DeviceWatcher::DeviceWatcher(QString toolPath, QString vendorId, QString productId, QObject* parent)
    : QObject(parent), m_toolPath(std::move(toolPath)),
      m_arguments({QStringLiteral("--watch"), std::move(vendorId), std::move(productId)})
{
    m_tool.setProcessChannelMode(QProcess::SeparateChannels);
    // Out of the terminal's reach, like every run of the tool (see Shell).
    m_tool.setChildProcessModifier(&Shell::prepareChild);
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
        static const QHash<QByteArray, Presence> words = {{"absent", Presence::Absent},
                                                          {"present", Presence::Present},
                                                          {"several", Presence::Several},
                                                          {"denied", Presence::Denied},
                                                          {"busy", Presence::Busy}};
        // A word this build does not know (a newer tool) says nothing it can act on.
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
