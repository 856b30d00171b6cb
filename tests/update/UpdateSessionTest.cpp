#include "update/UpdateSession.h"

#include "catalogue/FirmwareVersion.h"
#include "support/TestHttpServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

using namespace std::chrono_literals;
using test::HttpResponse;

const QString imageRoute = QStringLiteral("/updater/dfu/fw.dfu");

QByteArray image(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) & 0xff);
    return bytes;
}

QString md5Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// One whole session against a loopback server and a stub tool: a shell script that prints what
// a case needs and appends its arguments to $RUNS.
class UpdateSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settings.server = server.origin();
        settings.documentsFolder = folder.filePath(QStringLiteral("Documents"));
        settings.toolPath = folder.filePath(QStringLiteral("dfu-util"));
        settings.transferTimeout = 5s;
        settings.handoverDelay = 50ms;
        settings.retryDelay = 10ms;
        settings.silentToolTimeout = 5s;
        serve(body);
        useTool(progressLines);
    }

    void serve(const QByteArray& bytes, HttpResponse response = {})
    {
        response.body = bytes;
        server.setResponse(imageRoute, response);
        version->md5hash = md5Hex(bytes);
    }

    void useTool(const QString& script)
    {
        writeFile(settings.toolPath, QStringLiteral("#!/bin/sh\nRUNS=%1/runs\necho \"$@\" >> "
                                                    "\"$RUNS\"\n%2\n")
                                         .arg(folder.path(), script)
                                         .toUtf8());
        QFile::setPermissions(settings.toolPath,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    int runs() const { return int(readFile(folder.filePath(QStringLiteral("runs"))).count('\n')); }

    struct Outcome
    {
        bool succeeded = false;
        QString error;
        QStringList statuses;
        QList<QPair<double, double>> progress;
        QList<bool> running;
    };

    Outcome run(std::shared_ptr<const FirmwareVersion> chosen)
    {
        QFile::remove(folder.filePath(QStringLiteral("runs")));
        UpdateSession session(std::move(chosen), settings);
        Outcome outcome;
        QObject::connect(&session, &UpdateSession::statusChanged, [&](const QString& text) {
            outcome.statuses.append(text);
            if (onStatus)
                onStatus(text);
        });
        QObject::connect(&session, &UpdateSession::progressChanged,
                         [&](double value, double maximum) {
                             outcome.progress.append({value, maximum});
                         });
        QObject::connect(&session, &UpdateSession::toolRunningChanged,
                         [&](bool running) { outcome.running.append(running); });
        QSignalSpy succeeded(&session, &UpdateSession::succeeded);
        QSignalSpy failed(&session, &UpdateSession::failed);
        session.start();
        session.start();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return !succeeded.isEmpty() || !failed.isEmpty(); }, 30'000));
        outcome.succeeded = !succeeded.isEmpty();
        if (!failed.isEmpty())
            outcome.error = failed.first().first().value<VeltError>().localizedDescription;
        // Nothing more once the session has ended.
        QTest::qWait(50);
        EXPECT_EQ(succeeded.size() + failed.size(), 1);
        return outcome;
    }
    Outcome run() { return run(version); }

    QString imagePath() const
    {
        return QDir(settings.documentsFolder).filePath("veltFirmwareUpdate.dfu");
    }

    const QString progressLines = QStringLiteral(
        "printf '[i] Downloading firmware - 50 of 200\\r"
        "[i] Downloading firmware - 100 of 200\\r[i] Downloading firmware - 199 of 200\\n'");
    std::function<void(const QString&)> onStatus;
    QTemporaryDir folder;
    test::TestHttpServer server;
    UpdateSettings settings;
    const QByteArray body = image(300'000);
    std::shared_ptr<FirmwareVersion> version = [] {
        auto v = std::make_shared<FirmwareVersion>();
        v->name = QStringLiteral("1.2.3");
        v->fileName = QStringLiteral("fw.dfu");
        return v;
    }();
};

TEST_F(UpdateSessionTest, DownloadsVerifiesHandsOverAndWrites)
{
    const Outcome outcome = run();
    EXPECT_TRUE(outcome.succeeded) << outcome.error.toStdString();
    EXPECT_EQ(outcome.statuses,
              (QStringList{"Info_DownloadingFirmwareFromServer", "Info_Preparing", "Info_Writing",
                           "Info_Writing", "Info_Finishing", "Info_WriteSucceeded"}));
    EXPECT_EQ(outcome.running, (QList<bool>{true, false}));
    ASSERT_GE(outcome.progress.size(), 5);
    EXPECT_EQ(outcome.progress.first().second, double(body.size()));
    EXPECT_EQ(outcome.progress.last(), (QPair<double, double>{199, 200}));
    EXPECT_EQ(readFile(imagePath()), body);
    EXPECT_EQ(readFile(folder.filePath(QStringLiteral("runs"))).trimmed(),
              ("0a12 ffff " + imagePath()).toUtf8());

    // Without a length the bar is busy (-1) until the image is stored.
    serve(body, {.sendContentLength = false});
    EXPECT_EQ(run().progress.first(), (QPair<double, double>{0, -1}));
}

// Every download failure ends before the tool runs, keeps an earlier image (only a digest
// mismatch stores the new one, for inspection) and says why.
TEST_F(UpdateSessionTest, DownloadFaults)
{
    struct Case
    {
        const char* name;
        HttpResponse response;
        QString digest; // empty: the body's
        QString error;  // the alert's text begins with it; empty: any text
    };
    const QList<Case> cases = {
        {"404", {.status = 404}, {}, "Error_CouldNotDownLoadFirmware"},
        {"500", {.status = 500}, {}, "Error_CouldNotDownLoadFirmware"},
        {"dropped mid-body", {.closeAfterBytes = 50'000}, {}, "Error_DownloadIncomplete"},
        {"shorter than announced",
         {.announcedLength = 400'000, .closeAfterBytes = 300'000},
         {},
         "Error_DownloadIncomplete"},
        {"oversize announced",
         {.announcedLength = 256 * 1024 * 1024 + 1, .closeAfterBytes = 1},
         {},
         "Error_FirmwareTooLarge"},
        {"stalled", {.stallMs = 3000}, {}, "Error_DownloadTimedOut"},
        {"digest in upper case",
         {},
         md5Hex(image(300'000)).toUpper(),
         "Error_FileHashDoesNotMatch"},
    };
    settings.transferTimeout = 300ms;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir().mkpath(settings.documentsFolder);
        writeFile(imagePath(), "earlier");
        serve(body, c.response);
        if (!c.digest.isEmpty())
            version->md5hash = c.digest;
        const Outcome outcome = run();
        EXPECT_FALSE(outcome.succeeded);
        EXPECT_TRUE(outcome.error.startsWith(c.error)) << outcome.error.toStdString();
        EXPECT_EQ(outcome.statuses.last(), QStringLiteral("Error_Generic"));
        EXPECT_EQ(runs(), 0);
        EXPECT_EQ(readFile(imagePath()), c.digest.isEmpty() ? QByteArray("earlier") : body);
    }
}

TEST_F(UpdateSessionTest, WhatCannotStartIsReported)
{
    EXPECT_EQ(run(nullptr).error, QStringLiteral("Error_NoFirmwareSelected"));
    version->fileName = QStringLiteral("bad name%zz");
    EXPECT_EQ(run().error, QStringLiteral("Error_InvalidDownloadAddress"));
    version->fileName = QStringLiteral("fw.dfu");

    settings.server = QStringLiteral("http://127.0.0.1:1");
    EXPECT_FALSE(run().error.isEmpty());
    settings.server = server.origin();

    // A Documents "folder" that is a plain file cannot hold the image.
    writeFile(folder.filePath(QStringLiteral("file")), "x");
    settings.documentsFolder = folder.filePath(QStringLiteral("file"));
    EXPECT_TRUE(run().error.startsWith(QStringLiteral("Error_CouldNotSaveFirmware")));
    settings.documentsFolder.clear();
    EXPECT_EQ(run().error, QStringLiteral("Error_NoDocumentsFolder"));
    EXPECT_EQ(runs(), 0);
}

// How a run of the tool ends decides the verdict. The guard follows every run.
TEST_F(UpdateSessionTest, ToolVerdicts)
{
    struct Case
    {
        const char* name;
        QString script;
        bool succeeded;
        QString error; // the alert's text begins with it; empty: any text
    };
    const QList<Case> cases = {
        {"progress, then exit 0", progressLines, true, {}},
        {"DFU mode marker after a prefix", "echo 'dfu-util: Failed to enter DFU mode.' >&2; exit 1",
         false, "Description_DFUMode"},
        {"marker on an earlier line",
         "printf 'Failed to enter DFU mode.\\nsomething else\\n' >&2; exit 1", false,
         "Failed to enter DFU mode.\nsomething else"},
        {"status failure after writing began",
         "echo '[i] Downloading firmware - 10 of 200'; "
         "echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 74",
         false, "Error_FailedToGetStatus"},
        {"error text after 99 per cent, exit 0",
         "echo '[i] Downloading firmware - 200 of 200'; echo 'late warning' >&2",
         true,
         {}},
        {"a crash after 100 per cent",
         "echo '[i] Downloading firmware - 200 of 200'; ulimit -c 0; kill -SEGV $$", false,
         "Terminated by signal 11"},
        {"exit 1 after 100 per cent, empty standard error",
         "echo '[i] Downloading firmware - 200 of 200'; exit 1", false,
         "Error_FlashingToolFailed\nexit status 1"},
        {"exit 1 with one invalid UTF-8 byte", "printf '\\377' >&2; exit 1", false,
         "Error_FlashingToolFailed\nexit status 1"},
        {"exit 3 after progress, nothing on standard error", progressLines + "; exit 3", false,
         "Error_FlashingToolFailed\nexit status 3"},
        {"a line split across two pieces is no progress",
         "printf '[i] Downloading firmware - 5'; sleep 0.3; printf '0 of 200\\n'",
         true,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        useTool(c.script);
        const Outcome outcome = run();
        EXPECT_EQ(outcome.succeeded, c.succeeded) << outcome.error.toStdString();
        if (!c.succeeded) {
            EXPECT_FALSE(outcome.error.isEmpty());
            EXPECT_TRUE(outcome.error.startsWith(c.error)) << outcome.error.toStdString();
        }
        EXPECT_EQ(outcome.running, (QList<bool>{true, false}));
    }
}

TEST_F(UpdateSessionTest, EarlyStatusFailuresAreRetriedFourTimes)
{
    // Fails twice before any block, then succeeds.
    useTool("[ \"$(wc -l < \"$RUNS\")\" -le 2 ] && "
            "{ echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 74; }\n" +
            progressLines);
    Outcome outcome = run();
    EXPECT_TRUE(outcome.succeeded) << outcome.error.toStdString();
    EXPECT_EQ(runs(), 3);
    EXPECT_EQ(outcome.running, (QList<bool>{true, false, true, false, true, false}));

    useTool("echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 74");
    outcome = run();
    EXPECT_EQ(outcome.error, QStringLiteral("Error_FailedToGetStatus"));
    EXPECT_EQ(runs(), 5);
}

TEST_F(UpdateSessionTest, AToolThatIsMissingOrCannotRunIsReported)
{
    const QString tool = settings.toolPath;
    settings.toolPath = folder.filePath(QStringLiteral("no-such-tool"));
    Outcome outcome = run();
    EXPECT_EQ(outcome.error, QStringLiteral("Error_FlashingToolUnavailable"));
    EXPECT_TRUE(outcome.running.isEmpty());

    settings.toolPath = tool;
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(run().error, QStringLiteral("Error_FlashingToolUnavailable"));

    // Executable, but not a program the system can start.
    writeFile(tool, "\x7f"
                    "ELF garbage");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner);
    outcome = run();
    EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("Error_FlashingToolUnavailable\n")))
        << outcome.error.toStdString();
    EXPECT_EQ(outcome.running, (QList<bool>{true, false}));
}

// What is written is what was verified: the file is hashed again before every run.
TEST_F(UpdateSessionTest, AFileReplacedAfterItsCheckIsNotWritten)
{
    // Replaced during the hand-over: nothing runs.
    onStatus = [this](const QString& text) {
        if (text == QStringLiteral("Info_Preparing"))
            writeFile(imagePath(), "another model's image");
    };
    Outcome outcome = run();
    EXPECT_EQ(outcome.error, QStringLiteral("Error_FileHashDoesNotMatch"));
    EXPECT_TRUE(outcome.running.isEmpty());
    EXPECT_EQ(runs(), 0);

    // Replaced between a run and its retry: the retry does not run; a missing file neither.
    onStatus = nullptr;
    for (const QString& replace :
         {QStringLiteral("echo other > \"$3\""), QStringLiteral("rm \"$3\"")}) {
        useTool(replace + "; echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 74");
        outcome = run();
        EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("Error_FileHashDoesNotMatch")));
        EXPECT_EQ(runs(), 1);
        EXPECT_EQ(outcome.running, (QList<bool>{true, false}));
    }
}

} // namespace
} // namespace velt
