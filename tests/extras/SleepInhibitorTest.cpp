// SPDX-License-Identifier: Apache-2.0
#include "core/SleepInhibitor.h"

#include "FdCapture.h"
#include "catalogue/FirmwareVersion.h"
#include "support/TestHttpServer.h"
#include "update/UpdateSession.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>
#include <poll.h>

namespace velt {
namespace {

// Stands in for systemd-logind's manager: records each Inhibit call and hands out the write end
// of a pipe, whose read end shows when every copy of the lock has been closed.
class StandInLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    ~StandInLogind() override
    {
        for (int fd : readEnds)
            ::close(fd);
    }

    QStringList calls;
    std::vector<int> readEnds;

    bool released(size_t call) const
    {
        pollfd hangup{readEnds.at(call), POLLIN, 0};
        return ::poll(&hangup, 1, 0) == 1 && (hangup.revents & POLLHUP);
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode)
    {
        calls << QStringList({what, who, why, mode}).join(u'|');
        int ends[2];
        if (::pipe(ends) != 0)
            return {};
        readEnds.push_back(ends[0]);
        QDBusUnixFileDescriptor lock(ends[1]); // keeps a copy of its own
        ::close(ends[1]);
        return lock;
    }
};

class SleepInhibitorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is missing (Debian package dbus-daemon)";
        m_bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(m_bus.waitForReadyRead(5000)) << "dbus-daemon gave no address";
        m_address = QString::fromUtf8(m_bus.readLine().trimmed());
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus("stand-in");
        m_bus.terminate();
        m_bus.waitForFinished(5000);
    }

    // Puts the stand-in on the private bus under logind's name.
    void serveLogind()
    {
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "stand-in");
        ASSERT_TRUE(service.registerService("org.freedesktop.login1"));
        ASSERT_TRUE(service.registerObject("/org/freedesktop/login1", &m_logind,
                                           QDBusConnection::ExportAllSlots));
    }

    QProcess m_bus;
    QString m_address;
    StandInLogind m_logind;
};

TEST_F(SleepInhibitorTest, LetsGoWhenTheHoldEndsBeforeLogindAnswersAndWhenDestroyed)
{
    serveLogind();
    auto inhibitor = std::make_unique<SleepInhibitor>("Writing", m_address);
    inhibitor->setHeld(true);
    inhibitor->setHeld(false); // the tool failed at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_logind.calls.size() == 1; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_logind.released(0); }, 5000));
    EXPECT_FALSE(inhibitor->isInhibiting());
    inhibitor->setHeld(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return inhibitor->isInhibiting(); }, 5000));
    inhibitor.reset(); // the application goes while the tool runs
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_logind.released(1); }, 5000));
}

TEST_F(SleepInhibitorTest, WithoutLogindWritesOneLineAndGoesOn)
{
    for (const QString& address : {m_address, QStringLiteral("unix:path=/nonexistent/bus")}) {
        FdCapture out(STDOUT_FILENO);
        {
            SleepInhibitor inhibitor("Writing", address);
            for (int run = 0; run < 2; ++run) {
                inhibitor.setHeld(true);
                QTest::qWait(300);
                EXPECT_FALSE(inhibitor.isInhibiting());
                inhibitor.setHeld(false);
            }
        }
        const QStringList lines = out.lines();
        ASSERT_EQ(lines.size(), 1) << address.toStdString();
        EXPECT_TRUE(lines[0].startsWith("The machine may sleep while the device is written"));
    }
}

// The inhibitor following an update session's tool runs, as the window wires it: each run
// (slowed to 300 ms) is covered, the pause before a retry is not, and however the session ends
// nothing stays held. A failure's alert carries the tool's own words.
TEST_F(SleepInhibitorTest, FollowsEachRunOfAnUpdate)
{
    struct Case
    {
        const char* name;
        const char* laterRuns; // the first run fails early and is retried when this succeeds
        bool written;
        QString details; // of the failure, when the tool said something
    };
    const QString early = "echo 'dfu-util: Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 1";
    const QList<Case> cases = {
        {"retry, then written", "echo '[i] Downloading firmware - 10 of 10'", true, {}},
        {"not in DFU mode", "echo 'dfu-util: Failed to enter DFU mode.' >&2; exit 74", false,
         "dfu-util: Failed to enter DFU mode."},
        {"tool crashes", "echo '[i] Downloading firmware - 5 of 10'; kill -SEGV $$", false, {}},
    };
    serveLogind();
    QTemporaryDir folder;
    test::TestHttpServer server;
    const QByteArray image(4096, 'x');
    server.setResponse("/updater/dfu/fw.dfu", {.body = image});
    auto version = std::make_shared<FirmwareVersion>();
    version->fileName = "fw.dfu";
    version->md5hash = QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex();
    UpdateSettings settings{.server = server.origin(),
                            .documentsFolder = folder.filePath("Documents"),
                            .toolPath = folder.filePath("dfu-util")};
    settings.handoverDelay = std::chrono::milliseconds(10);
    settings.retryDelay = std::chrono::milliseconds(200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile tool(settings.toolPath);
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly | QIODevice::Truncate));
        tool.write(
            QStringLiteral("#!/bin/sh\nsleep 0.3\nif [ ! -e %1/ran ]; then touch %1/ran; %2; "
                           "fi\n%3\n")
                .arg(folder.path(), early, c.laterRuns)
                .toUtf8());
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::remove(folder.filePath("ran"));
        m_logind.calls.clear();

        SleepInhibitor inhibitor("Writing", m_address);
        UpdateSession session(version, settings);
        QObject::connect(&session, &UpdateSession::toolRunningChanged, &inhibitor,
                         &SleepInhibitor::setHeld);
        QList<int> locksAtEachEnd;
        QObject::connect(&session, &UpdateSession::toolRunningChanged, [&](bool running) {
            if (!running)
                locksAtEachEnd << int(m_logind.calls.size());
            for (size_t i = 0; running && i < m_logind.readEnds.size(); ++i)
                EXPECT_TRUE(m_logind.released(i)) << "held between runs";
        });
        QSignalSpy succeeded(&session, &UpdateSession::succeeded);
        QSignalSpy failed(&session, &UpdateSession::failed);
        session.start();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !succeeded.isEmpty() || !failed.isEmpty(); }, 20'000));
        EXPECT_EQ(succeeded.size(), c.written ? 1 : 0);
        EXPECT_EQ(locksAtEachEnd, QList<int>({1, 2}));
        EXPECT_EQ(m_logind.calls.value(0),
                  "sleep:shutdown:idle|" + QCoreApplication::applicationName() + "|Writing|block");
        for (size_t i = 0; i < m_logind.readEnds.size(); ++i)
            EXPECT_TRUE(QTest::qWaitFor([&] { return m_logind.released(i); }, 5000));
        for (int fd : std::exchange(m_logind.readEnds, {}))
            ::close(fd);
        if (!c.details.isEmpty()) {
            EXPECT_EQ(failed.value(0).value(0).value<VeltError>().details, c.details);
        }
    }
}

} // namespace
} // namespace velt

#include "SleepInhibitorTest.moc"
