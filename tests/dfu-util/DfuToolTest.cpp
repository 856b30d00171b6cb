// SPDX-License-Identifier: Apache-2.0
// The built tool as the application runs it: arguments, images, exit codes, standard output and
// error, with the simulated device behind VELT_DFU_SIMULATOR; the watch mode; and the USB-only
// build that gets installed.
#include "DfuFile.h"

#include <QDeadlineTimer>
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

    void start(QProcess& process, const QStringList& arguments, const QString& simulator,
               const QString& tool = DFU_UTIL_PATH)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELT_DFU_SIMULATOR", simulator);
        process.setProcessEnvironment(env);
        process.start(tool, arguments);
    }

    ToolRun run(const QStringList& arguments, const QString& simulator,
                const QString& tool = DFU_UTIL_PATH)
    {
        QProcess process;
        start(process, arguments, simulator, tool);
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

    QByteArray received() const
    {
        QFile file(path("received"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    QTemporaryDir m_dir;
};

} // namespace

// Each progress line arrives while the tool still runs, one per block; "N of N" comes only once
// the device has accepted the end of the image, and nothing follows it.
TEST_F(DfuTool, SuccessPrintsOneProgressLinePerBlockAsItGoes)
{
    QProcess process;
    start(process, {"0a12", "ffff", write("image", dfu(payload(5000)))},
          "latency-ms=20,save=" + path("received"));
    QByteArray out;
    while (!out.contains("Downloading firmware") && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    EXPECT_TRUE(out.contains("[i] Downloading firmware - 1023 of 5000\n")) << out.toStdString();
    EXPECT_EQ(process.state(), QProcess::Running) << "the first line came only at exit";
    ASSERT_TRUE(process.waitForFinished(30000));
    out += process.readAllStandardOutput();
    EXPECT_EQ(std::pair(process.exitCode(), process.readAllStandardError()),
              std::pair(0, QByteArray()));
    EXPECT_EQ(progressLines(out), 5);
    EXPECT_TRUE(out.endsWith("[i] The device has installed the firmware.\n"
                             "[i] Downloading firmware - 5000 of 5000\n"));
    EXPECT_EQ(received(), payload(5000));
}

TEST_F(DfuTool, ImagesAreCheckedBeforeTheDeviceIsTouched)
{
    const QByteArray data = payload(1500);
    const QByteArray good = dfu(data);
    struct Case
    {
        const char* name;
        QString file;
        int exitCode;
        QByteArray sent; // what reaches the device when the image is taken
        bool warned = false;
    };
    const char* crcCheck = "313233343536373839ffffffff120a000155464410d86ef621";
    ASSERT_EQ(mkfifo(path("fifo").toLocal8Bit().constData(), 0600), 0); // nobody ever writes
    const Case cases[] = {
        // The suffix CRC's check value: "123456789" for 0a12:ffff carries dwCRC 0x21F66ED8.
        {"known crc", write("crc", QByteArray::fromHex(crcCheck)), 0, "123456789"},
        {"exact ids", write("a", good), 0, data},
        {"any device", write("b", dfu(data, 0xffff, 0xffff)), 0, data},
        {"no suffix: sent whole", write("c", data), 0, data, true},
        {"shorter than a suffix", write("d", "UFD"), 0, "UFD", true},
        {"other vendor", write("e", dfu(data, 0x1234, 0xffff)), 65, {}},
        {"bad crc", write("g", good.chopped(4) + "abcd"), 65, {}},
        {"payload damaged", write("i", 'x' + good.mid(1)), 65, {}},
        {"empty", write("j", {}), 65, {}},
        {"suffix only", write("k", dfu({})), 65, {}},
        {"over 256 MiB", write("l", {}, (qint64(256) << 20) + 1), 65, {}},
        {"missing", path("missing"), 66, {}},
        {"folder", m_dir.path(), 66, {}},
        {"fifo", path("fifo"), 66, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path("received"));
        const ToolRun done = run({"0a12", "ffff", c.file}, "1,save=" + path("received"));
        EXPECT_EQ(done.exitCode, c.exitCode) << done.err.toStdString();
        EXPECT_EQ(done.err.count('\n'), c.exitCode ? 1 : 0) << done.err.toStdString();
        EXPECT_TRUE(c.exitCode
                        ? done.out.isEmpty()
                        : done.out.startsWith("[w] The image has no DFU suffix") == c.warned);
        EXPECT_EQ(received(), c.exitCode ? QByteArray("(none)") : c.sent);
    }
}

TEST_F(DfuTool, FailuresEndStderrWithTheirMarkerOrAClearText)
{
    const QString file = write("image", dfu(payload(5000))); // blocks 0 to 4 of 1023 bytes
    const QString noStatus = "Failed DFU_GETSTATUS: 0xe00002d8.";
    const QString noDfu = "Failed to enter DFU mode.";
    const QString shortStatus = "with 3 bytes instead of 6.";
    const QString reconnect = ", then unplug and reconnect the device.";
    struct Case
    {
        const char* settings;
        int exitCode;
        QString lastLineEnd;
        int progress;
    };
    const Case cases[] = {
        {"absent", 2, "No device 0a12:ffff is connected. " + noDfu, 0},
        {"no-return,detach-ms=200", 2, "after DETACH. " + noDfu, 0},
        {"duplicate", 3, "connected; connect only the one to update.", 0},
        {"access", 4, "rule 70-velt-dfu.rules (see the README)" + reconnect, 0},
        {"getstatus-timeouts=3", 5, "opened (LIBUSB_ERROR_TIMEOUT, 3 tries). " + noStatus, 0},
        {"getstatus-timeouts=forever@2", 5, noStatus, 2},
        {"start-state=dfuMANIFEST-WAIT-RESET", 5, noStatus, 0},
        {"flash-kib=2", 6, "status errADDRESS.", 2},
        {"poll-ms=10001", 8, "after block 0; no device needs over 10 seconds.", 0},
        {"poll-ms=0xffffff", 8, "no device needs over 10 seconds.", 0},
        // Faults at the end of the image never show "5000 of 5000" (the window's fault matrix
        // runs the other faults at the last block and the end).
        {"error=errNOTDONE@end", 6,
         "rejected the image: the device reports state dfuERROR, status errNOTDONE.", 4},
        {"short-status=end", 8, "after the last block " + shortStatus, 4},
    };
    for (const Case& c : cases) {
        const ToolRun failed = run({"0a12", "ffff", file}, c.settings);
        EXPECT_EQ(failed.exitCode, c.exitCode) << c.settings;
        EXPECT_EQ(failed.err.count('\n'), 1) << failed.err.toStdString();
        EXPECT_TRUE(failed.err.endsWith(c.lastLineEnd + "\n")) << failed.err.toStdString();
        EXPECT_EQ(progressLines(failed.out), c.progress) << c.settings;
    }
}

TEST_F(DfuTool, InstalledToolIgnoresTheSimulator)
{
    // The USB-only build finds no device here, and the simulated one must not stand in for it.
    const ToolRun usb = run({"0a12", "ffff", write("image", dfu(payload(3000)))},
                            "1,save=" + path("received"), DFU_UTIL_USB_PATH);
    EXPECT_EQ(usb.exitCode, 2) << usb.err.toStdString();
    EXPECT_TRUE(usb.err.endsWith("Failed to enter DFU mode.\n")) << usb.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("received")));
}

TEST_F(DfuTool, WatchSaysWhetherTheDeviceIsThereAndEndsCleanly)
{
    // The changes while it watches are followed through the DFU setup page's status line. Each
    // line must come within a second; the end of its input and SIGTERM end it alike, cleanly.
    for (const char* state : {"absent", "present"}) {
        SCOPED_TRACE(state);
        if (state == QLatin1String("present"))
            write("device", {});
        QProcess watch;
        start(watch, {"--watch", "0a12", "ffff"}, "presence-file=" + path("device"));
        QDeadlineTimer deadline(1000);
        while (!watch.canReadLine() && watch.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        EXPECT_EQ(watch.readLine(), QByteArray(state) + '\n');
        state == QLatin1String("absent") ? watch.closeWriteChannel() : watch.terminate();
        EXPECT_TRUE(watch.waitForFinished(5000) && watch.exitStatus() == QProcess::NormalExit &&
                    watch.exitCode() == 0);
        EXPECT_EQ(watch.readAllStandardError(), "");
    }
}
