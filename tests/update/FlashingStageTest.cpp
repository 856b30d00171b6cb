#include "update/FlashingStage.h"

#include "update/Shell.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

// Drives the flashing stage with small fake tools: shell scripts that print exactly what a
// case needs and remember their runs in a folder of their own.
class FlashingStageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        FlashingStage::setRetryDelayForTesting(10);
    }
    void TearDown() override
    {
        FlashingStage::setToolPathForTesting({});
        FlashingStage::setRetryDelayForTesting(-1);
        Shell::setDelegate(nullptr);
    }

    // A tool whose body is the given shell script; $RUNS counts its runs.
    void useTool(const QString& body, QFile::Permissions permissions = QFile::ReadOwner |
                                                                       QFile::WriteOwner |
                                                                       QFile::ExeOwner)
    {
        const QString path = folder.filePath(QStringLiteral("dfu-util"));
        QFile tool(path);
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly | QIODevice::Truncate));
        tool.write(QStringLiteral("#!/bin/sh\nRUNS=%1/runs\necho \"$@\" >> \"$RUNS\"\n%2\n")
                       .arg(folder.path(), body)
                       .toUtf8());
        tool.close();
        tool.setPermissions(permissions);
        FlashingStage::setToolPathForTesting(path);
    }

    int runs() const
    {
        QFile file(folder.filePath(QStringLiteral("runs")));
        return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') : 0;
    }

    struct Outcome
    {
        bool succeeded = false;
        QString error;
        QList<QPair<double, double>> progress;
        QStringList texts;
        int guardRaised = 0;
        int guardLowered = 0;
    };

    Outcome flash()
    {
        FlashingStage stage;
        Outcome outcome;
        std::atomic<int> lowered = 0;
        stage.setQuitGuard([&] { ++outcome.guardRaised; }, [&] { ++lowered; });
        QObject::connect(&stage, &FlashingStage::progress,
                         [&](double written, double total, const QString& text) {
                             outcome.progress.append({written, total});
                             outcome.texts.append(text);
                         });
        QSignalSpy succeeded(&stage, &FlashingStage::succeeded);
        QSignalSpy failed(&stage, &FlashingStage::failed);
        stage.startWriting(folder.filePath(QStringLiteral("image.dfu")));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !succeeded.isEmpty() || !failed.isEmpty(); }, 20'000));
        outcome.succeeded = !succeeded.isEmpty();
        if (!failed.isEmpty())
            outcome.error = failed.first().first().value<VeltError>().localizedDescription;
        outcome.guardLowered = lowered;
        return outcome;
    }

    QTemporaryDir folder;
};

TEST_F(FlashingStageTest, ProgressLinesDriveTheBarInOrderAndAnEmptyErrorIsSuccess)
{
    useTool("printf '[i] Downloading firmware - 50 of 200\\r"
            "[i] Downloading firmware - 100 of 200\\r[i] Downloading firmware - 199 of 200\\n'\n"
            "exit 3");
    const Outcome outcome = flash();
    EXPECT_TRUE(outcome.succeeded) << outcome.error.toStdString();
    const QList<QPair<double, double>> expected = {{50, 200}, {100, 200}, {199, 200}};
    EXPECT_EQ(outcome.progress, expected);
    EXPECT_EQ(outcome.texts, (QStringList{"Info_Writing", "Info_Writing", "Info_Finishing"}));
    EXPECT_EQ(outcome.guardRaised, 1);
    EXPECT_EQ(outcome.guardLowered, 1);
    QFile arguments(folder.filePath(QStringLiteral("runs")));
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(arguments.readAll().trimmed(),
              ("0a12 ffff " + folder.filePath(QStringLiteral("image.dfu"))).toUtf8());
}

TEST_F(FlashingStageTest, ALineSplitAcrossTwoPiecesIsNotTakenForProgress)
{
    useTool("printf '[i] Downloading firmware - 5'; sleep 0.3; printf '0 of 200\\n'");
    const Outcome outcome = flash();
    EXPECT_TRUE(outcome.succeeded);
    EXPECT_TRUE(outcome.progress.isEmpty());
}

TEST_F(FlashingStageTest, TheLastErrorLineDecides)
{
    struct Case
    {
        const char* name;
        QString script;
        bool succeeded;
        QString error;
    };
    const QList<Case> cases = {
        {"DFU mode marker after a prefix", "echo 'dfu-util: Failed to enter DFU mode.' >&2; exit 1",
         false, "Description_DFUMode"},
        {"marker on an earlier line", "printf 'Failed to enter DFU mode.\\nsomething else\\n' >&2",
         false, "Failed to enter DFU mode.\nsomething else"},
        {"status failure after writing began",
         "echo '[i] Downloading firmware - 10 of 200'; "
         "echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2",
         false, "Error_FailedToGetStatus"},
        {"any error text after 99 per cent",
         "echo '[i] Downloading firmware - 200 of 200'; echo 'late warning' >&2",
         true,
         {}},
        {"a crash after 99 per cent is still a failure",
         "echo '[i] Downloading firmware - 200 of 200'; kill -SEGV $$",
         false,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useTool(c.script);
        const Outcome outcome = flash();
        EXPECT_EQ(outcome.succeeded, c.succeeded) << outcome.error.toStdString();
        if (!c.error.isEmpty()) {
            EXPECT_EQ(outcome.error, c.error);
        }
        if (!c.succeeded) {
            EXPECT_FALSE(outcome.error.isEmpty());
        }
        EXPECT_EQ(outcome.guardLowered, outcome.guardRaised);
    }
    EXPECT_TRUE(Shell::endedBySignal(QStringLiteral("x\nTerminated by signal 11 (SEGV).")));
}

TEST_F(FlashingStageTest, EarlyStatusFailuresAreRetriedFourTimesThenReported)
{
    // Fails twice before any block, then succeeds.
    useTool("[ \"$(wc -l < \"$RUNS\")\" -le 2 ] && "
            "{ echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 74; }\n"
            "echo '[i] Downloading firmware - 10 of 10'");
    Outcome outcome = flash();
    EXPECT_TRUE(outcome.succeeded) << outcome.error.toStdString();
    EXPECT_EQ(runs(), 3);
    EXPECT_EQ(outcome.guardRaised, 3);
    EXPECT_EQ(outcome.guardLowered, 3);

    QFile::remove(folder.filePath(QStringLiteral("runs")));
    useTool("echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2");
    outcome = flash();
    EXPECT_FALSE(outcome.succeeded);
    EXPECT_EQ(outcome.error, QStringLiteral("Error_FailedToGetStatus"));
    EXPECT_EQ(runs(), 5);
}

TEST_F(FlashingStageTest, AToolThatIsMissingOrCannotRunIsReported)
{
    FlashingStage::setToolPathForTesting(folder.filePath(QStringLiteral("no-such-tool")));
    Outcome outcome = flash();
    EXPECT_EQ(outcome.error, QStringLiteral("Error_FlashingToolUnavailable"));
    EXPECT_EQ(outcome.guardRaised, 0);

    useTool("echo never", QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(flash().error, QStringLiteral("Error_FlashingToolUnavailable"));

    // Executable, but not a program the system can start.
    const QString bogus = folder.filePath(QStringLiteral("bogus"));
    QFile file(bogus);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x7f"
               "ELF garbage");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    FlashingStage::setToolPathForTesting(bogus);
    outcome = flash();
    EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("Error_FlashingToolUnavailable\n")))
        << outcome.error.toStdString();
    EXPECT_EQ(outcome.guardLowered, outcome.guardRaised);
}

} // namespace
} // namespace velt
