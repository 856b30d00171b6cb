// SPDX-License-Identifier: Apache-2.0
#include "core/Diagnostics.h"

#include "support/FdCapture.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace velt {
namespace {

TEST(Diagnostics, KeepsEveryLineStampedInTheFileWhileStandardOutputStaysPlain)
{
    QTemporaryDir dir;
    FdCapture out(STDOUT_FILENO);
    openDiagnosticsLog(dir.path(), QStringLiteral("1.2.3"));
    logContext(QStringLiteral("server: http://127.0.0.1:1"));
    qWarning("a message of Qt's"); // kept in the file, never on standard output
    std::vector<std::jthread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i)
                logLine(QStringLiteral("thread %1 line %2 ").arg(t).arg(i).repeated(3));
        });
    threads.clear();
    EXPECT_EQ(diagnosticsFolder(), dir.path());
    const QString run = runDiagnostics();
    closeDiagnosticsLog();

    const QStringList printed = out.lines();
    const QStringList logged = test::readLines(dir.filePath("velt-firmware-updater.log"));
    ASSERT_EQ(printed.size(), 800);
    // Each line as it was logged, its trailing space included.
    EXPECT_EQ(printed.filter(QRegularExpression(R"(^(thread \d line \d+ ){3}$)")).size(), 800);
    ASSERT_EQ(logged.size(), 803);
    EXPECT_EQ(logged.join(u'\n') + u'\n', run);
    EXPECT_TRUE(logged[0].contains("velt-firmware-updater 1.2.3, Qt 6."))
        << logged[0].toStdString();
    EXPECT_TRUE(logged[1].endsWith(" server: http://127.0.0.1:1"));
    EXPECT_TRUE(logged[2].endsWith(" a message of Qt's"));
    // Whole lines only, stamped, in the order standard output got them.
    const QRegularExpression stamp(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} (.*)$)");
    for (qsizetype i = 3; i < logged.size(); ++i)
        EXPECT_EQ(stamp.match(logged[i]).captured(1), printed[i - 3]) << logged[i].toStdString();
}

TEST(Diagnostics, RotatesIntoTwoOlderFiles)
{
    QTemporaryDir dir;
    FdCapture out(STDOUT_FILENO);
    openDiagnosticsLog(dir.path(), QStringLiteral("1"), 4096);
    for (int i = 0; i < 1000; ++i)
        logLine(QStringLiteral("a line of some fifty characters, number %1").arg(i, 6));
    closeDiagnosticsLog();
    const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QStringList({"velt-firmware-updater.log", "velt-firmware-updater.log.1",
                                  "velt-firmware-updater.log.2"}));
    for (const QString& name : files)
        EXPECT_LT(QFileInfo(dir.filePath(name)).size(), 4096 + 100);
    EXPECT_TRUE(test::readLines(dir.filePath(files[0])).constLast().endsWith("number    999"));
}

TEST(Diagnostics, UnwritableFolderSaysSoOnceAndKeepsStandardOutput)
{
    QTemporaryDir dir;
    QFile(dir.filePath("file")).open(QIODevice::WriteOnly);
    // A folder below a plain file cannot be made, not even by root.
    const QString folder = dir.filePath("file/state");
    FdCapture err(STDERR_FILENO);
    FdCapture out(STDOUT_FILENO);
    openDiagnosticsLog(folder, QStringLiteral("1"));
    logLine(QStringLiteral("first"));
    logLine(QStringLiteral("second"));
    EXPECT_TRUE(diagnosticsFolder().isEmpty());
    EXPECT_TRUE(runDiagnostics().contains(" second\n"));
    closeDiagnosticsLog();
    EXPECT_EQ(out.lines(), QStringList({"first", "second"}));
    const QStringList complaints = err.lines();
    ASSERT_EQ(complaints.size(), 1);
    EXPECT_TRUE(complaints[0].contains(folder)) << complaints[0].toStdString();
}

} // namespace
} // namespace velt
