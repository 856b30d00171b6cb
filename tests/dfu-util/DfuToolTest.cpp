// SPDX-License-Identifier: Apache-2.0
// The built tool as the application runs it: arguments, images, exit codes, standard output and
// error, with the simulated device behind VELT_DFU_SIMULATOR; and the watch mode. (That the
// installed USB-only build ignores the simulator is checked by the install tests.)
#include "DfuFile.h"
#include "support/Files.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>
#include <sys/stat.h>

using namespace velt::dfu;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

qsizetype progressLines(const QString& out)
{
    return out.split('\n').filter(QRegularExpression("^\\[i\\] Downloading firmware")).size();
}

QByteArray payload(int size)
{
    QByteArray bytes(size, 0);
    std::iota(bytes.begin(), bytes.end(), char(1));
    return bytes;
}

QByteArray dfu(const QByteArray& data, uint16_t vendorId = 0x0a12, uint16_t productId = 0xffff)
{
    const auto file = withDfuSuffix({data.begin(), data.end()}, vendorId, productId);
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

class DfuTool : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    void start(QProcess& process, const QStringList& arguments, const QString& simulator)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELT_DFU_SIMULATOR", simulator);
        process.setProcessEnvironment(env);
        process.start(DFU_UTIL_PATH, arguments);
    }

    ToolRun run(const QStringList& arguments, const QString& simulator)
    {
        QProcess process;
        start(process, arguments, simulator);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput(), process.readAllStandardError()};
    }

    // `size` beyond the content makes the file sparse: it costs no disk.
    QString write(const QString& name, const QByteArray& content, qint64 size = -1)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        EXPECT_TRUE(size < 0 || file.resize(size));
        return file.fileName();
    }

    QTemporaryDir m_dir;
};

} // namespace

// What it prints comes while it runs: each progress line as its block is written, the watch's
// first word at once (and SIGTERM ends the watch cleanly, as the end of its input does).
TEST_F(DfuTool, OutputArrivesWhileItRuns)
{
    QProcess process;
    start(process, {"0a12", "ffff", write("image", dfu(payload(5000)))}, "latency-ms=50");
    QByteArray out;
    while (!out.contains("Downloading firmware") && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    EXPECT_TRUE(out.contains("[i] Downloading firmware - 1023 of 5000\n")) << out.toStdString();
    EXPECT_FALSE(out.contains("installed")) << "the first progress line came only at the end";
    EXPECT_TRUE(process.waitForFinished(30000));

    QProcess watch;
    start(watch, {"--watch", "0a12", "ffff"}, "busy");
    EXPECT_TRUE(watch.waitForReadyRead(1000) && watch.readLine() == "busy\n");
    watch.terminate();
    EXPECT_TRUE(watch.waitForFinished(5000) && watch.exitStatus() == QProcess::NormalExit &&
                watch.exitCode() == 0);
}

// One progress line per block of 1023 bytes; "N of N" comes only once the device has accepted
// the end of the image, and nothing follows it. The images it refuses are in the failures' table.
TEST_F(DfuTool, ImagesItTakesReachTheDeviceWhole)
{
    const QByteArray data = payload(5000);
    const char* crcCheck = "313233343536373839ffffffff120a000155464410d86ef621";
    const struct
    {
        const char* name;
        QString file;
        QByteArray sent;
        bool warned = false;
    } cases[] = {
        {"for these ids", write("a", dfu(data)), data},
        // The suffix CRC's check value: "123456789" for 0a12:ffff carries dwCRC 0x21F66ED8.
        {"known crc", write("crc", QByteArray::fromHex(crcCheck)), "123456789"},
        {"any device", write("b", dfu(data, 0xffff, 0xffff)), data},
        {"no suffix: sent whole", write("c", data), data, true},
        {"shorter than a suffix", write("d", "UFD"), "UFD", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun done = run({"0a12", "ffff", c.file}, "1,save=" + path("received"));
        EXPECT_EQ(std::pair(done.exitCode, done.err), std::pair(0, QString()));
        EXPECT_EQ(done.out.startsWith("[w] The image has no DFU suffix"), c.warned);
        EXPECT_EQ(velt::test::readFile(path("received")), c.sent);
        EXPECT_EQ(progressLines(done.out), (c.sent.size() + 1022) / 1023);
        EXPECT_TRUE(done.out.endsWith(QString("[i] The device has installed the firmware.\n"
                                              "[i] Downloading firmware - %1 of %1\n")
                                          .arg(c.sent.size())));
    }
}

// A failure never shows "N of N": that line comes only once the device accepted the end.
TEST_F(DfuTool, FailuresEndStderrWithTheirMarkerOrAClearText)
{
    const QString file = write("image", dfu(payload(5000))); // blocks 0 to 4 of 1023 bytes
    const QString noStatus = "Failed DFU_GETSTATUS: 0xe00002d8.";
    const QString noDfu = "Failed to enter DFU mode.";
    const QString shortStatus = "with 3 bytes instead of 6.";
    const QString reconnect = ", then unplug and reconnect the device.";
    const QString refused = "the device reports state dfuERROR, status ";
    const QString rejected = "The device rejected the image: " + refused;
    const QString usage = "  IMAGE     path of the firmware image";
    const auto image = [this](const char* name, const QByteArray& content, qint64 size = -1) {
        return QStringList{"0a12", "ffff", write(name, content, size)};
    };
    ASSERT_EQ(mkfifo(path("fifo").toLocal8Bit().constData(), 0600), 0); // nobody ever writes
    struct Case
    {
        const char* settings;
        int exitCode;
        QString lastLineEnd;
        int progress = 0;
        QStringList arguments = {}; // the ids and the image when empty
    };
    const Case cases[] = {
        {"absent", 2, "No device 0a12:ffff is connected. " + noDfu},
        {"no-return,detach-ms=200", 2, "after DETACH. " + noDfu},
        {"duplicate", 3, "connected; connect only the one to update."},
        {"access", 4, "rule 70-velt-dfu.rules (see the README)" + reconnect},
        {"busy", 9, "using it. Close other updaters" + reconnect},
        {"getstatus-timeouts=3", 5, "opened (LIBUSB_ERROR_TIMEOUT, 3 tries). " + noStatus},
        {"getstatus-timeouts=forever@2", 5, noStatus, 2},
        {"start-state=dfuMANIFEST-WAIT-RESET", 5, noStatus},
        {"flash-kib=2", 6, "status errADDRESS.", 2},
        {"poll-ms=10001", 8, "after block 0; no device needs over 10 seconds."},
        // The last block and the end of the image: a failure however far the progress went.
        {"error=errWRITE@4", 6, "Block 4 failed: " + refused + "errWRITE.", 4},
        {"vanish=4", 7, "The device disconnected at block 4.", 4},
        {"dnload-stall=4", 6, "block 4 (LIBUSB_ERROR_PIPE): " + refused + "errSTALLEDPKT.", 4},
        {"short-status=4", 8, "after block 4 " + shortStatus, 4},
        {"odd-state=42@4", 8, "The device reports state 42 after block 4.", 4},
        {"error=errNOTDONE@end", 6, rejected + "errNOTDONE.", 4},
        {"dnload-stall=end", 6, rejected + "errSTALLEDPKT.", 4},
        {"odd-state=42@end", 8, "The device reports state 42 after the last block.", 4},
        {"short-status=end", 8, "after the last block " + shortStatus, 4},
        // Images, arguments and settings it cannot use: the device is never touched.
        {"1", 65, "The image is for device 1234:ffff, not 0a12:ffff.", 0,
         image("e", dfu(payload(9), 0x1234))},
        {"1", 65, "CRC is 0x64636261, the file's is 0xe921edda.", 0,
         image("g", dfu(payload(9)).chopped(4) + "abcd")},
        {"1", 65, "The image file is empty.", 0, image("j", {})},
        {"1", 65, "The image holds a DFU suffix and no firmware.", 0, image("k", dfu({}))},
        {"1", 65, "no firmware for this device is that large.", 0,
         image("l", {}, (qint64(256) << 20) + 1)},
        {"1", 66, "missing: No such file or directory.", 0, {"0a12", "ffff", path("missing")}},
        {"1", 66, "it is not a regular file.", 0, {"0a12", "ffff", path("fifo")}},
        {"1", 64, usage, 0, {"0a1g", "ffff", file}},
        {"1", 64, usage, 0, {"--watch", "0a12"}},
        {"transfer-size=0", 64, "\"transfer-size=0\": must be at least 1"},
        {"no-such-thing", 64, "\"no-such-thing\": unknown setting (see tools/dfu-util/README.md)"},
        {"poll-ms=x", 64, "expected a number up to 16777215", 0, {"--watch", "0a12", "ffff"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings + (" " + c.arguments.join(' ')).toStdString());
        QFile::remove(path("received"));
        const ToolRun failed =
            run(c.arguments.isEmpty() ? QStringList{"0a12", "ffff", file} : c.arguments,
                c.settings + QString(",save=") + path("received"));
        EXPECT_EQ(failed.exitCode, c.exitCode);
        EXPECT_EQ(QFile::exists(path("received")), c.exitCode < 64);
        EXPECT_TRUE(failed.err.count('\n') == 1 || failed.err.startsWith("Usage: "));
        EXPECT_TRUE(failed.err.endsWith(c.lastLineEnd + "\n")) << failed.err.toStdString();
        EXPECT_EQ(progressLines(failed.out), c.progress);
    }
}

// The changes while it watches are followed through the DFU setup page's status line.
TEST_F(DfuTool, WatchSaysWhatStateTheDeviceIsIn)
{
    const std::pair<const char*, QString> cases[] = {
        {"absent", "absent\n"}, {"1", "present\n"}, {"duplicate", "several\n"},
        {"access", "denied\n"}, {"busy", "busy\n"}, {"duplicate,access", "several\n"},
    };
    for (const auto& [settings, out] : cases) {
        const ToolRun watched = run({"--watch", "0a12", "ffff"}, settings);
        EXPECT_EQ(std::tuple(watched.exitCode, watched.out, watched.err), std::tuple(0, out, ""))
            << settings;
    }
}
