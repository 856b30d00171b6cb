// SPDX-License-Identifier: Apache-2.0
#include "core/SleepInhibitor.h"

#include "support/FdCapture.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QProcess>
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

// Held for each run of the tool and let go after it, whether the run ended, failed or crashed
// (the session reports each as the end of the run); a hold that ends before logind answers, and
// the application going while the tool runs, let go as well.
TEST_F(SleepInhibitorTest, HoldsOnlyWhileARunIsInProgress)
{
    serveLogind();
    auto inhibitor = std::make_unique<SleepInhibitor>("Writing", m_address);
    for (size_t run = 0; run < 2; ++run) {
        inhibitor->setHeld(true);
        ASSERT_TRUE(QTest::qWaitFor([&] { return inhibitor->isInhibiting(); }, 5000));
        EXPECT_FALSE(m_logind.released(run));
        inhibitor->setHeld(false);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_logind.released(run); }, 5000));
    }
    inhibitor->setHeld(true);
    inhibitor->setHeld(false); // the tool failed at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_logind.calls.size() == 3; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_logind.released(2); }, 5000));
    EXPECT_FALSE(inhibitor->isInhibiting());
    inhibitor->setHeld(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return inhibitor->isInhibiting(); }, 5000));
    inhibitor.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_logind.released(3); }, 5000));
    EXPECT_EQ(m_logind.calls.value(0),
              "sleep:shutdown:idle|" + QCoreApplication::applicationName() + "|Writing|block");
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

} // namespace
} // namespace velt

#include "SleepInhibitorTest.moc"
