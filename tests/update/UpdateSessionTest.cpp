// SPDX-License-Identifier: Apache-2.0
#include "update/UpdateSession.h"

#include "catalogue/FirmwareVersion.h"
#include "support/Files.h"
#include "support/StandInLogind.h"
#include "support/TestHttpServer.h"
#include "support/TlsTestServer.h"
#include "update/FirmwareDownload.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>

namespace velt {
namespace {

using namespace std::chrono_literals;
using namespace Qt::Literals::StringLiterals;
using test::HttpResponse;
using test::readFile;
using test::writeFile;

const QString imageRoute = u"/updater/dfu/fw.dfu"_s;
const QString statusFailure = u"echo 'Failed DFU_GETSTATUS: 0xe00002d8.' >&2; exit 74"_s;
const QString allWritten = u"echo '[i] Downloading firmware - 200 of 200'; "_s;
const QString progressLines = u"printf '[i] Downloading firmware - 50 of 200\\r"
                              "[i] Downloading firmware - 100 of 200\\r"
                              "[i] Downloading firmware - 199 of 200\\n'"_s;

// One whole session against a loopback server and a stub tool: a shell script that prints what
// a case needs and appends its arguments to $RUNS.
class UpdateSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settings = {server.origin(),
                    folder.filePath(u"Documents"_s),
                    folder.filePath(u"dfu-util"_s),
                    5s,
                    50ms,
                    10ms,
                    5s,
                    {}};
        version->fileName = u"fw.dfu"_s;
        serve();
        useTool(progressLines);
    }

    void serve(HttpResponse response = {})
    {
        if (response.body.isEmpty() && response.headers.isEmpty())
            response.body = body;
        server.setResponse(imageRoute, response);
        version->md5hash = QCryptographicHash::hash(body, QCryptographicHash::Md5).toHex();
    }

    void useTool(const QString& script)
    {
        writeFile(settings.toolPath, u"#!/bin/sh\nRUNS=%1/runs\necho \"$@\" >> \"$RUNS\"\n%2\n"_s
                                         .arg(folder.path(), script)
                                         .toUtf8());
        QFile::setPermissions(settings.toolPath,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    int runs() const { return int(readFile(folder.filePath(u"runs"_s)).count('\n')); }

    struct Outcome
    {
        bool succeeded = false;
        QString error, details;
        QStringList statuses;
        QList<QPair<double, double>> progress;
        QList<bool> running;
    };

    Outcome run(std::shared_ptr<const FirmwareVersion> chosen)
    {
        QFile::remove(folder.filePath(u"runs"_s));
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
        EXPECT_TRUE(QTest::qWaitFor([&] { return succeeded.size() + failed.size() > 0; }, 30'000));
        QTest::qWait(50); // nothing more once the session has ended
        EXPECT_EQ(succeeded.size() + failed.size(), 1);
        outcome.succeeded = !succeeded.isEmpty();
        if (!failed.isEmpty()) {
            const auto error = failed.first().first().value<VeltError>();
            outcome.error = error.localizedDescription;
            outcome.details = error.details;
        }
        // The guard goes up before each run and down after it.
        EXPECT_EQ(outcome.running.size() % 2, 0);
        for (qsizetype i = 0; i < outcome.running.size(); ++i)
            EXPECT_EQ(outcome.running[i], i % 2 == 0);
        return outcome;
    }
    Outcome run() { return run(version); }

    QString imagePath() const { return settings.documentsFolder + u"/veltFirmwareUpdate.dfu"_s; }

    std::function<void(const QString&)> onStatus;
    QTemporaryDir folder;
    test::TestHttpServer server;
    UpdateSettings settings;
    const QByteArray body = QByteArray(300'000, 'x') + "end";
    std::shared_ptr<FirmwareVersion> version = std::make_shared<FirmwareVersion>();
};

// The new image replaces an unreadable old one with default permissions, and parts left by a
// killed run go.
TEST_F(UpdateSessionTest, DownloadsVerifiesHandsOverAndWrites)
{
    QDir().mkpath(settings.documentsFolder);
    writeFile(imagePath(), "old");
    QFile::setPermissions(imagePath(), {});
    const QString part = imagePath() + u".0badf00d.part"_s;
    writeFile(part, "left by a killed run");
    const Outcome outcome = run();
    EXPECT_TRUE(outcome.succeeded) << outcome.error.toStdString();
    EXPECT_EQ(outcome.statuses,
              (QStringList{"Info_DownloadingFirmwareFromServer", "Info_Preparing", "Info_Writing",
                           "Info_Writing", "Info_Finishing", "Info_WriteSucceeded"}));
    EXPECT_EQ(outcome.progress.first().second, double(body.size()));
    EXPECT_EQ(outcome.progress.last(), (QPair<double, double>{199, 200}));
    EXPECT_EQ(readFile(imagePath()), body);
    EXPECT_EQ(readFile(folder.filePath(u"runs"_s)).trimmed(),
              ("0a12 ffff " + imagePath()).toUtf8());
    EXPECT_TRUE(
        QFileInfo(imagePath()).permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_FALSE(QFile::exists(part));

    // Without a length the bar is busy (-1) until the image is stored.
    serve({.sendContentLength = false});
    EXPECT_EQ(run().progress.first(), (QPair<double, double>{0, -1}));
}

HttpResponse redirectTo(const QByteArray& location)
{
    return {.status = 302, .headers = {{"Location", location}}};
}

// Every download failure ends before the tool runs, leaves no part file, keeps an earlier image
// (only a digest mismatch stores the new one, for inspection) and says why. Redirects keep the
// server rules: plain http only between loopback addresses, never down from https.
TEST_F(UpdateSessionTest, DownloadFaults)
{
    enum Setup { Here, ClosedPort, FullDisk, UntrustedTls, TrustedTls };
    const HttpResponse toHere = redirectTo((server.origin() + imageRoute).toUtf8());
    const QString fileTooLarge = u"Error_CouldNotSaveFirmware\nFile too large"_s;
    const struct
    {
        const char* name;
        HttpResponse response;
        QString error;      // the alert's text or its details hold it
        Setup setup = Here; // FullDisk: files may grow to 100 000 bytes only
    } cases[] = {
        {"404", {.status = 404}, "Error_CouldNotDownLoadFirmware"},
        {"204", {.status = 204}, "Error_CouldNotDownLoadFirmware"},
        {"206", {.status = 206}, "Error_CouldNotDownLoadFirmware"},
        {"disk full", {.sendContentLength = false}, fileTooLarge, FullDisk},
        {"dropped mid-body", {.closeAfterBytes = 50'000}, "Error_DownloadIncomplete"},
        {"shorter than announced", {.announcedLength = 400'000}, "Error_DownloadIncomplete"},
        {"huge", {.announcedLength = 1 << 28 | 1, .closeAfterBytes = 1}, "Error_FirmwareTooLarge"},
        {"huge without a length",
         {.body = QByteArray(FirmwareDownload::maximumImageSize + 1, 'x'),
          .sendContentLength = false},
         "Error_FirmwareTooLarge"},
        {"stalled", {.stallMs = 3000}, "Error_DownloadTimedOut"},
        {"digest in upper case", {}, "Error_FileHashDoesNotMatch"},
        {"connection refused", {}, "Error_DownloadFailed\nConnection refused", ClosedPort},
        {"untrusted TLS", {}, "The certificate is self-signed, and untrusted", UntrustedTls},
        {"https to http", toHere, "Error_DownloadRedirectRefused\n", TrustedTls},
        {"plain http to another host", redirectTo("http://192.0.2.1/fw.dfu"),
         "Error_DownloadRedirectRefused\n"},
        // The failure at the redirect's end is reported, not the redirect's status.
        {"failing https target", redirectTo("https://127.0.0.1:1/fw.dfu"), "Connection refused"},
        // A loop ends as a failed download, never a wait without an end.
        {"redirect loop", toHere, "Error_DownloadTooManyRedirects"},
    };
    settings.transferTimeout = 1s;
    QDir().mkpath(settings.documentsFolder);
    rlimit fileSize{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &fileSize), 0);
    const rlimit full{100'000, fileSize.rlim_max};
    const auto onFileSize = std::signal(SIGXFSZ, SIG_IGN); // a write fails with EFBIG instead
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(imagePath(), "earlier");
        serve(c.response);
        std::optional<test::TlsTestServer::TrustCertificate> trust;
        if (c.setup == TrustedTls)
            trust.emplace();
        std::optional<test::TlsTestServer> tls;
        if (c.setup >= UntrustedTls)
            tls.emplace(c.response);
        settings.server = tls                     ? tls->origin()
                          : c.setup == ClosedPort ? u"http://127.0.0.1:1"_s
                                                  : server.origin();
        const bool mismatch = c.error == u"Error_FileHashDoesNotMatch"_s;
        if (mismatch)
            version->md5hash = version->md5hash.toUpper();
        if (c.setup == FullDisk)
            setrlimit(RLIMIT_FSIZE, &full);
        const Outcome outcome = run();
        setrlimit(RLIMIT_FSIZE, &fileSize);
        const QString alert = outcome.error + u'\n' + outcome.details;
        EXPECT_TRUE(alert.contains(c.error)) << alert.toStdString();
        EXPECT_EQ(outcome.statuses.last(), u"Error_Generic"_s);
        EXPECT_EQ(runs(), 0);
        EXPECT_EQ(readFile(imagePath()), mismatch ? body : QByteArray("earlier"));
        EXPECT_EQ(QDir(settings.documentsFolder).entryList(QDir::Files),
                  QStringList{u"veltFirmwareUpdate.dfu"_s});
    }
    std::signal(SIGXFSZ, onFileSize);
    // What the refusals are measured against: three redirects on the same scheme and a trusted
    // certificate deliver.
    settings.server = server.origin();
    settings.transferTimeout = 5s;
    server.setResponse(u"/moved.dfu"_s, {.body = body});
    server.setResponse(u"/hop"_s, redirectTo("/moved.dfu"));
    server.setResponse(u"/first"_s, redirectTo("/hop"));
    serve(redirectTo("/first"));
    EXPECT_TRUE(run().succeeded);
    const test::TlsTestServer::TrustCertificate trust;
    test::TlsTestServer tls({.body = body});
    settings.server = tls.origin();
    EXPECT_TRUE(run().succeeded);
}

TEST_F(UpdateSessionTest, WhatCannotStartIsReported)
{
    EXPECT_EQ(run(nullptr).error, u"Error_NoFirmwareSelected"_s);
    version->fileName = u"bad name%zz"_s;
    EXPECT_EQ(run().error, u"Error_InvalidDownloadAddress"_s);
    version->fileName = u"fw.dfu"_s;

    settings.toolPath = folder.filePath(u"no-such-tool"_s);
    EXPECT_EQ(run().error, u"Error_FlashingToolUnavailable"_s);
    settings.toolPath = folder.filePath(u"dfu-util"_s);
    QFile::setPermissions(settings.toolPath, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(run().error, u"Error_FlashingToolUnavailable"_s);
    // Executable, but not a program the system can start.
    writeFile(settings.toolPath, "\x7f"
                                 "ELF garbage");
    QFile::setPermissions(settings.toolPath, QFile::ReadOwner | QFile::ExeOwner);
    const Outcome unstartable = run();
    EXPECT_EQ(unstartable.error, u"Error_FlashingToolUnavailable"_s);
    EXPECT_TRUE(unstartable.details.startsWith(u"Cannot start"_s))
        << unstartable.details.toStdString();

    // A Documents "folder" that is a plain file cannot hold the image.
    writeFile(folder.filePath(u"file"_s), "x");
    settings.documentsFolder = folder.filePath(u"file"_s);
    EXPECT_TRUE(run().error.startsWith(u"Error_CouldNotSaveFirmware"_s));
    settings.documentsFolder.clear();
    EXPECT_EQ(run().error, u"Error_NoDocumentsFolder"_s);
}

// How each run of the tool ends reaches the verdict (whose rules the verdict table checks): a
// crash, text that is not UTF-8, a line split across reads; an early status failure is retried,
// four times at most; a silent run is stopped; a file that changed between runs is not written.
TEST_F(UpdateSessionTest, ToolFaults)
{
    const struct
    {
        const char* name;
        QString script;
        QString error; // the alert's text begins with it; empty: success
        int runs;
    } cases[] = {
        {"a crash after 100 per cent", allWritten + "ulimit -c 0; kill -SEGV $$",
         "Error_FlashingToolStopped", 1},
        {"exit 1, one invalid UTF-8 byte", "printf '\\377' >&2; exit 1", "Error_FlashingToolFailed",
         1},
        {"a line split across two pieces is no progress",
         "printf '[i] Downloading firmware - 5'; sleep 0.3; printf '0 of 200\\n'", "", 1},
        {"two early status failures",
         "[ $(wc -l < $RUNS) -le 2 ] && { " + statusFailure + "; }\n" + progressLines, "", 3},
        {"five early status failures", statusFailure, "Error_DeviceDidNotAnswer", 5},
        {"file replaced before the retry", "echo other > \"$3\"; " + statusFailure,
         "Error_FileHashDoesNotMatch", 1},
        {"file removed before the retry", "rm \"$3\"; " + statusFailure,
         "Error_FileHashDoesNotMatch\n", 1},
        {"silent", "sleep 5", "Error_FlashingToolNotResponding", 1},
        {"deaf to SIGTERM", "trap '' TERM; sleep 5", "Error_FlashingToolNotResponding", 1},
        {"streams closed, still running", "exec >&- 2>&-; sleep 5",
         "Error_FlashingToolNotResponding", 1},
        {"slow but talking",
         "for i in 1 2 3 4; do echo \"[i] Downloading firmware - $i of 4\"; sleep 0.4; done", "",
         1},
    };
    settings.silentToolTimeout = 1s;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        useTool(c.script);
        const Outcome outcome = run();
        EXPECT_EQ(outcome.succeeded, c.error.isEmpty()) << outcome.error.toStdString();
        EXPECT_TRUE(c.error.isEmpty() || outcome.error.startsWith(c.error))
            << outcome.error.toStdString();
        EXPECT_EQ(runs(), c.runs);
        EXPECT_EQ(outcome.running.size(), 2 * c.runs);
    }
    // Behind a keyed text the alert offers the tool's own words.
    useTool("echo 'x: Failed to enter DFU mode.' >&2; exit 1");
    EXPECT_EQ(run().details, "x: Failed to enter DFU mode.");
}

TEST_F(UpdateSessionTest, AFileReplacedDuringTheHandOverIsNotWritten)
{
    onStatus = [this](const QString& text) {
        if (text == u"Info_Preparing"_s)
            writeFile(imagePath(), "another model's image");
    };
    EXPECT_EQ(run().error, u"Error_FileHashDoesNotMatch"_s);
    EXPECT_EQ(runs(), 0);
}

// The machine is kept awake from the download's first request to the verdict, across the
// hand-over and the retries, and let go on every way out: success, a failed download, giving up,
// and the window closed before the device is written.
TEST_F(UpdateSessionTest, KeepsTheMachineAwakeFromTheDownloadToTheVerdict)
{
    test::StandInLogind logind;
    settings.sleepInhibitorBus = logind.startBus(true);
    if (settings.sleepInhibitorBus.isEmpty())
        GTEST_SKIP() << "dbus-daemon is missing (Debian package dbus-daemon)";
    size_t call = 0;
    const auto heldNow = [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return logind.calls.size() > qsizetype(call); }, 5000));
        EXPECT_FALSE(logind.released(call));
    };
    onStatus = [&](const QString& text) {
        if (text == u"Info_Preparing"_s || text == u"Info_Writing"_s)
            heldNow();
    };
    const auto releasedAfter = [&](const char* way, bool succeeded) {
        EXPECT_EQ(succeeded, call == 0) << way;
        EXPECT_TRUE(QTest::qWaitFor([&] { return logind.released(call); }, 5000)) << way;
        ++call;
    };
    releasedAfter("success", run().succeeded);
    useTool(statusFailure);
    releasedAfter("gave up", run().succeeded);
    serve({.status = 404});
    releasedAfter("failed download", run().succeeded);
    serve();
    onStatus = {};
    {
        UpdateSession closing(version, settings);
        closing.start();
        heldNow();
    }
    releasedAfter("closed before writing", false);
    EXPECT_EQ(logind.calls.value(0), "sleep:shutdown:idle|" + QCoreApplication::applicationName() +
                                         "|Description_InhibitSleep|block");
}

} // namespace
} // namespace velt
