// SPDX-License-Identifier: Apache-2.0
// The command line as scripts and support staff use it: the real program as a child process
// against the demo catalogue on loopback, the build's flashing tool with its simulated device,
// and Ctrl-C, SIGTERM and SIGHUP sent to the child's whole process group, as a terminal sends
// them. Then the window's update from an image file.
#include "app/MainWindow.h"
#include "catalogue/TargetFirmware.h"
#include "support/WizardTest.h"
#include "update/Md5.h"

#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <csignal>
#include <unistd.h>

namespace velt::test {
namespace {

struct Ended
{
    int exitCode = -1;
    QString out;
    QString err;
};

class CommandLineTest : public WizardTest
{
protected:
    CommandLineTest()
    {
        serveDemo();
        // The Duo's newest image arrives damaged: its digest is not the catalogue's.
        server.setResponse(u"/updater/dfu/velt-duo-2.1.0.dfu"_qs,
                           {.body = readFile(demoDir + "dfu/velt-duo-2.1.0.dfu") + '!'});
        QDir().mkdir(path("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QList<std::pair<const char*, QByteArray>> files = {
            {"good.dfu", dfuImage(QByteArray(3000, 'f'))},
            {"any-id.dfu", dfuImage(QByteArray(3000, 'f'), 0xffff, 0xffff)},
            {"bad-crc.dfu", dfuImage(QByteArray(3000, 'f')).replace(10, 1, "x")},
            {"wrong-ids.dfu", dfuImage(QByteArray(3000, 'f'), 0x1234, 0x5678)},
            {"empty.dfu", dfuImage({})},
            {"no-suffix.dfu", QByteArray(3000, 'f')}};
        for (const auto& [name, bytes] : files)
            writeFile(path(name), bytes);
        QFile large(path("large.dfu")); // sparse: nothing is read before its size is refused
        EXPECT_TRUE(large.open(QIODevice::WriteOnly) && large.resize((256 << 20) + 1));
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    // The program in a process group of its own, as a shell starts a job; standard input is a
    // pipe, not a terminal.
    void start(QProcess& process, const QStringList& arguments, const QString& device) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("HOME"), folder.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("runtime"));
        environment.insert(QStringLiteral("VELT_FIRMWARE_SERVER"), server.origin());
        environment.insert(QStringLiteral("VELT_DFU_SIMULATOR"),
                           device + ",save=" + path("received"));
        process.setProcessEnvironment(environment);
        process.setChildProcessModifier([] { ::setpgid(0, 0); });
        process.start(QStringLiteral(VELT_APP_PATH), arguments);
        process.closeWriteChannel();
    }

    Ended run(const QStringList& arguments, const QString& device = QStringLiteral("1")) const
    {
        QProcess process;
        start(process, arguments, device);
        EXPECT_TRUE(process.waitForFinished(60'000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    static void waitFor(QProcess& process, QProcess::ProcessChannel channel, const char* text)
    {
        process.setReadChannel(channel);
        QByteArray seen;
        while (!seen.contains(text) && process.waitForReadyRead(30'000))
            seen += process.readAll();
        ASSERT_TRUE(seen.contains(text)) << text;
    }

    QByteArray received() const { return readFile(path("received")); }
};

TEST_F(CommandLineTest, EveryExitCodeWithItsMessage)
{
    const QByteArray newest = readFile(demoDir + "dfu/velt-one-1.2.0.dfu");
    // What reaches the device: the image without its 16-byte DFU suffix.
    const QByteArray local = readFile(path("good.dfu")).chopped(16);
    const QString goodMd5 = md5(readFile(path("good.dfu")));
    struct Row
    {
        const char* name;
        QStringList arguments;
        QString device;
        int exitCode;
        QString message; // the end of standard error
        QByteArray written = {};
    };
    const QString one = QStringLiteral("Velt One");
    const auto file = [&](const QString& name, const QString& digest = {}) {
        return QStringList{"--file", path(name), "--md5", digest.isEmpty() ? goodMd5 : digest,
                           "--yes"};
    };
    const QList<Row> rows = {
        {"update", {"--update", one, "--yes"}, "1", 0, "connected.", newest.chopped(16)},
        {"no device", {"--update", one, "--yes", "--wait", "0"}, "absent", 3, "shown above."},
        {"two devices", {"--update", one, "--yes", "--wait", "1"}, "duplicate", 3, "to update."},
        {"tool fails", {"--update", one, "--yes"}, "error=errWRITE@3", 1, "status errWRITE."},
        {"digest", {"--update", "Velt Duo", "--yes"}, "1", 4, "does not match. Please try again."},
        {"unknown option", {"--frobnicate"}, "1", 2, "Unknown option 'frobnicate'."},
        {"unknown model", {"--update", "Velt Nine", "--yes"}, "1", 2, "name: Velt Nine"},
        {"not confirmed", {"--update", one}, "1", 2, "not run in a terminal."},
        {"no md5", {"--file", path("good.dfu")}, "1", 2, "the intended one."},
        {"file", file("good.dfu"), "1", 0, "connected.", local},
        {"its stored copy", file("Documents/veltFirmwareUpdate.dfu"), "1", 0, "connected.", local},
        {"wildcard ids", file("any-id.dfu", md5(readFile(path("any-id.dfu")))), "1", 0,
         "connected.", local},
        {"md5", file("good.dfu", QString(32, u'0')), "1", 5, "intended file."},
        {"bad crc", file("bad-crc.dfu"), "1", 5, "(CRC) is wrong."},
        {"wrong ids", file("wrong-ids.dfu"), "1", 5, "Velt device."},
        {"empty", file("empty.dfu"), "1", 5, "content is empty."},
        {"no suffix", file("no-suffix.dfu"), "1", 5, "DFU suffix."},
        {"too large", file("large.dfu"), "1", 5, "for firmware."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QFile::remove(path("received"));
        const Ended result = run(row.arguments, row.device);
        EXPECT_EQ(result.exitCode, row.exitCode) << result.err.toStdString();
        EXPECT_TRUE(result.err.trimmed().endsWith(row.message)) << result.err.toStdString();
        // Only the success rows reach the end of the image; the others write nothing at all,
        // except the tool that fails part-way.
        if (row.exitCode == 1)
            EXPECT_FALSE(received().isEmpty() || received() == row.written);
        else
            EXPECT_EQ(received(), row.written);
        EXPECT_EQ(result.out.contains("Writing the firmware to the device"), row.exitCode < 2)
            << result.out.toStdString();
    }
}

// Newest first by position, as the version page preselects it; both forms agree.
TEST_F(CommandLineTest, ListsTheCatalogueAsTextAndJson)
{
    const Ended text = run({"--list"});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(
        text.out.startsWith("Velt Duo\n  2.1.0  2026-10-05\n  2.0.0  2026-01-28\nVelt One\n"));
    const Ended json = run({"--list", "--json"});
    const QJsonArray models = QJsonDocument::fromJson(json.out.toUtf8())["models"].toArray();
    ASSERT_EQ(models.size(), 4);
    EXPECT_EQ(models[1]["name"], "Velt One");
    EXPECT_EQ(models[1]["versions"][0].toObject(),
              (QJsonObject{{"name", "1.2.0"},
                           {"fileName", "velt-one-1.2.0.dfu"},
                           {"md5", "aab7b0994091da4ea09e95039a5bc701"},
                           {"releaseDate", "2026-05-20"}}));
    EXPECT_EQ(models[3]["versions"].toArray().size(), 0);
    EXPECT_EQ(json.err, "");
}

// A run that waits for its device holds the one-instance lock (a listing needs none) until a
// signal cancels it; one that was killed leaves its lock file behind, taken over all the same.
// While the tool writes, every signal is refused, the tool never sees one, and the write ends.
TEST_F(CommandLineTest, SignalsCancelBeforeTheWriteAndAreRefusedDuringIt)
{
    for (const int ending : {SIGINT, SIGKILL}) {
        QProcess waiting;
        start(waiting, {"--update", "Velt One", "--yes", "--wait", "60"}, "absent");
        ASSERT_NO_FATAL_FAILURE(waitFor(waiting, QProcess::StandardError, "DFU mode:"));
        EXPECT_EQ(run({"--list"}).exitCode, 0);
        const Ended second = run({"--update", "Velt One", "--yes", "--verbose"});
        EXPECT_EQ(second.exitCode, 7);
        EXPECT_TRUE(second.err.contains(QStringLiteral("process %1,").arg(waiting.processId())));
        EXPECT_TRUE(second.err.contains("is already running.")) << second.err.toStdString();
        // The whole group, as a terminal sends Ctrl-C or a dropped session its hang-up.
        ASSERT_EQ(::kill(-pid_t(waiting.processId()), ending), 0);
        ASSERT_TRUE(waiting.waitForFinished(10'000));
        if (ending == SIGINT) {
            EXPECT_EQ(waiting.exitCode(), 6);
            EXPECT_TRUE(
                waiting.readAllStandardError().endsWith("Nothing was written to the device.\n"));
        }
    }

    QProcess writing;
    start(writing, {"--update", "Velt One", "--yes"}, "poll-ms=40");
    ASSERT_NO_FATAL_FAILURE(waitFor(writing, QProcess::StandardOutput, "Writing the firmware"));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ASSERT_EQ(::kill(-pid_t(writing.processId()), signal), 0);
    ASSERT_TRUE(writing.waitForFinished(30'000));
    EXPECT_EQ(writing.exitCode(), 0);
    EXPECT_EQ(writing.readAllStandardError().count("must not be interrupted"), 3);
    EXPECT_EQ(received(), readFile(demoDir + "dfu/velt-one-1.2.0.dfu").chopped(16));
}

// File > Update from a File... once the catalogue is there: a file that fails a check is
// refused with the check's message; a published one is named; one that is not needs the box
// ticked. The DFU setup and update pages follow, and the user's choice of model stays as it was.
TEST_F(WizardTest, UpdateFromAFileShowsTheFileAndWritesItAfterConfirmation)
{
    const QByteArray published = dfuImage(QByteArray(5000, 'p'));
    const QByteArray own = dfuImage(QByteArray(5000, 'o'));
    serveOneImage(published);
    wizard.simulateDevice(QStringLiteral("1"));
    ASSERT_STEP(wizard.walkTo(QStringLiteral("IntroPage")));
    auto* action = wizard.window()->findChild<QAction*>(QStringLiteral("updateFromFileAction"));
    ASSERT_TRUE(action && action->isVisible() && action->isEnabled());
    const auto open = [&](const char* name, const QByteArray& bytes) {
        writeFile(folder.filePath(name), bytes);
        wizard.window()->updateFromFile(folder.filePath(name));
    };
    open("bad.dfu", QByteArray(5000, 'b'));
    EXPECT_TRUE(wizard.alertText().contains("it has no DFU suffix."))
        << wizard.alertText().toStdString();
    EXPECT_EQ(wizard.pageName(), QStringLiteral("IntroPage"));
    open("published.dfu", published);
    EXPECT_EQ(wizard.text("catalogueMatchLabel"), "This file is a published firmware: 2.0 (Alpha)");
    EXPECT_EQ(wizard.window()->focusWidget(), wizard.control<QWidget>("nextButton"));
    ASSERT_STEP(wizard.click("backButton"));
    open("own.dfu", own);
    EXPECT_TRUE(wizard.text("catalogueMatchLabel").startsWith("This file is not a published"));
    EXPECT_NE(wizard.click("nextButton"), QString());
    // The keyboard starts on the box Next waits for and goes on in reading order.
    auto* box = wizard.control<QCheckBox>("supportSentFileCheckBox");
    EXPECT_EQ(wizard.window()->focusWidget(), box);
    EXPECT_EQ(box->nextInFocusChain(), wizard.control<QWidget>("backButton"));
    EXPECT_EQ(box->nextInFocusChain()->nextInFocusChain(), wizard.control<QWidget>("nextButton"));
    box->click();
    ASSERT_STEP(wizard.click("nextButton"));
    ASSERT_STEP(wizard.click("nextButton"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("UpdateProgressPage")));
    EXPECT_FALSE(action->isEnabled());
    EXPECT_TRUE(wizard.text("versionInfoLabel").endsWith("own.dfu"));
    ASSERT_STEP(wizard.waitForLogLine(QStringLiteral("dfu-util succeeded.")));
    EXPECT_TRUE(wizard.deviceReceived() == own.chopped(16));
    EXPECT_TRUE(targetFirmware().lotName.isEmpty() && !targetFirmware().firmwareVersion);
}

} // namespace
} // namespace velt::test
