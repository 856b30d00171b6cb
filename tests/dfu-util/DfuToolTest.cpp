// The built tool as the application runs it: arguments, exit codes, standard output and error,
// with the simulated device behind VELT_DFU_SIMULATOR.
#include "DfuFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velt::dfu;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

QProcessEnvironment environment(const QString& simulator)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("VELT_DFU_SIMULATOR");
    if (!simulator.isNull())
        env.insert("VELT_DFU_SIMULATOR", simulator);
    return env;
}

ToolRun runTool(const QStringList& arguments, const QString& simulator,
                const QString& tool = DFU_UTIL_PATH)
{
    QProcess process;
    process.setProcessEnvironment(environment(simulator));
    process.start(tool, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    ToolRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString lastLine(const QString& text)
{
    return text.trimmed().split('\n').last();
}

QStringList progressLines(const QString& out)
{
    return out.split('\n').filter(QRegularExpression("^\\[i\\] Downloading firmware"));
}

class DfuTool : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString write(const QString& name, const std::vector<uint8_t>& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return file.fileName();
    }

    // Nobody writes into it: opening it for reading must not wait for a writer.
    QString fifo(const QString& name)
    {
        EXPECT_EQ(mkfifo(path(name).toLocal8Bit().constData(), 0600), 0);
        return path(name);
    }

    QString sparse(const QString& name, qint64 size)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(size));
        return file.fileName();
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString image(const std::vector<uint8_t>& payload)
    {
        return write("image.dfu", withDfuSuffix(payload, 0x0a12, 0xffff));
    }

    static std::vector<uint8_t> payload(size_t size)
    {
        std::vector<uint8_t> bytes(size);
        for (size_t i = 0; i < size; ++i)
            bytes[i] = uint8_t(i * 13 + 1);
        return bytes;
    }

    static QByteArray bytes(const std::vector<uint8_t>& data)
    {
        return QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(DfuTool, SuccessPrintsOneProgressLinePerBlockAndNothingOnStderr)
{
    const std::vector<uint8_t> data = payload(5000);
    const ToolRun run = runTool({"0a12", "ffff", image(data)}, "1,save=" + path("received"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(progressLines(run.out), QStringList({"[i] Downloading firmware - 1023 of 5000",
                                                   "[i] Downloading firmware - 2046 of 5000",
                                                   "[i] Downloading firmware - 3069 of 5000",
                                                   "[i] Downloading firmware - 4092 of 5000",
                                                   "[i] Downloading firmware - 5000 of 5000"}));
    EXPECT_EQ(read("received"), bytes(data));
}

TEST_F(DfuTool, ProgressArrivesWhileTheToolIsStillRunning)
{
    QProcess process;
    process.setProcessEnvironment(environment("latency-ms=20"));
    process.start(DFU_UTIL_PATH, {"0a12", "ffff", image(payload(6 * 1023))});
    QByteArray out;
    while (!out.contains("Downloading firmware") && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    EXPECT_TRUE(out.contains("[i] Downloading firmware - 1023 of 6138\n"));
    EXPECT_EQ(process.state(), QProcess::Running) << "the first line came only at exit";
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(DfuTool, RejectsWrongArgumentsWithUsage)
{
    const QString file = image(payload(10));
    const QList<QStringList> cases = {
        {},
        {"0a12", "ffff"},
        {"0a12", "ffff", file, "extra"},
        {"a12", "ffff", file},
        {"0x0a12", "ffff", file},
        {"0a12", "fffg", file},
        {"0a12", "ffff", ""},
    };
    for (const QStringList& arguments : cases) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ToolRun run = runTool(arguments, "1");
        EXPECT_EQ(run.exitCode, 64);
        EXPECT_TRUE(run.err.startsWith("Usage: dfu-util VID PID IMAGE")) << run.err.toStdString();
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(runTool({"0A12", "FFFF", file}, "1").exitCode, 0) << "upper-case hex is hex";

    const ToolRun unknown = runTool({"0a12", "ffff", file}, "1,flux-capacitor=3");
    EXPECT_EQ(unknown.exitCode, 64);
    EXPECT_TRUE(unknown.err.contains("flux-capacitor")) << unknown.err.toStdString();
}

TEST_F(DfuTool, BadImagesFailBeforeTheDeviceIsTouched)
{
    std::vector<uint8_t> badCrc = withDfuSuffix(payload(100), 0x0a12, 0xffff);
    badCrc.back() ^= 0xFF;
    struct Case
    {
        const char* name;
        QString file;
        int exitCode;
    };
    const Case cases[] = {
        {"missing", path("missing.dfu"), 66},
        {"bad crc", write("bad-crc.dfu", badCrc), 65},
        {"other device", write("other.dfu", withDfuSuffix(payload(100), 0x1234, 0x5678)), 65},
        {"empty", write("empty.dfu", {}), 65},
        {"suffix only", write("suffix.dfu", withDfuSuffix({}, 0x0a12, 0xffff)), 65},
        {"fifo", fifo("fifo.dfu"), 66},
        {"over 256 MiB", sparse("huge.dfu", (qint64(256) << 20) + 1), 65},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolRun run = runTool({"0a12", "ffff", c.file}, "1,save=" + path("received"));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(QFile::exists(path("received"))) << "the device was reached";
    }
}

TEST_F(DfuTool, FileWithoutSuffixIsSentWholeWithAWarning)
{
    const std::vector<uint8_t> raw = payload(1500);
    const ToolRun run =
        runTool({"0a12", "ffff", write("raw.bin", raw)}, "1,save=" + path("received"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.startsWith("[w] The image has no DFU suffix")) << run.out.toStdString();
    EXPECT_EQ(read("received"), bytes(raw));
}

TEST_F(DfuTool, FailuresEndStderrWithTheirMarkerOrAClearText)
{
    const QString file = image(payload(5000));
    struct Case
    {
        const char* settings;
        int exitCode;
        QString lastLineEnd;
        int progress;
    };
    const Case cases[] = {
        {"absent", 2, "Failed to enter DFU mode.", 0},
        {"getstatus-timeouts=3", 5, "Failed DFU_GETSTATUS: 0xe00002d8.", 0},
        {"getstatus-timeouts=forever@2", 5, "Failed DFU_GETSTATUS: 0xe00002d8.", 2},
        {"access", 4, "then unplug and reconnect the device.", 0},
        {"vanish=2", 7, "The device disconnected at block 2.", 2},
        {"error=errWRITE@3", 6, "state dfuERROR, status errWRITE.", 3},
        // Faults at the last block (4) and at the end of the image never show "5000 of 5000".
        {"error=errWRITE@4", 6, "status errWRITE.", 4},
        {"vanish=4", 7, "The device disconnected at block 4.", 4},
        {"dnload-stall=4", 6, "status errSTALLEDPKT.", 4},
        {"getstatus-timeouts=3@4", 5, "Failed DFU_GETSTATUS: 0xe00002d8.", 4},
        {"short-status=4", 8, "with 3 bytes instead of 6.", 4},
        {"odd-state=42@4", 8, "state 42 after block 4.", 4},
        {"error=errNOTDONE@end", 6, "status errNOTDONE.", 4},
        {"error=errFIRMWARE@end", 6, "status errFIRMWARE.", 4},
        {"odd-state=42@end", 8, "state 42 after the last block.", 4},
        {"dnload-stall=end", 6, "status errSTALLEDPKT.", 4},
        {"poll-ms=0xffffff", 8, "no device needs over 10 seconds.", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        const ToolRun run = runTool({"0a12", "ffff", file}, c.settings);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.endsWith('\n'));
        EXPECT_TRUE(lastLine(run.err).endsWith(c.lastLineEnd)) << run.err.toStdString();
        EXPECT_EQ(progressLines(run.out).size(), c.progress);
    }
}

TEST_F(DfuTool, FailingRunsAreCountedAcrossRuns)
{
    const QString file = image(payload(3000));
    const QString settings = "failing-runs=2,state=" + path("device-state");
    for (int run = 1; run <= 2; ++run) {
        const ToolRun failed = runTool({"0a12", "ffff", file}, settings);
        EXPECT_EQ(failed.exitCode, 5) << "run " << run;
        EXPECT_EQ(lastLine(failed.err), "The device did not answer GETSTATUS when it was opened "
                                        "(LIBUSB_ERROR_TIMEOUT, 3 tries). Failed DFU_GETSTATUS: "
                                        "0xe00002d8.");
        EXPECT_TRUE(progressLines(failed.out).isEmpty());
    }
    const ToolRun third = runTool({"0a12", "ffff", file}, settings);
    EXPECT_EQ(third.exitCode, 0);
    EXPECT_EQ(third.err, "");
}

TEST_F(DfuTool, InstalledToolIgnoresTheSimulator)
{
    // The USB-only build finds no device here, and the simulated one must not stand in for it.
    const ToolRun run = runTool({"0a12", "ffff", image(payload(3000))},
                                "1,save=" + path("received"), DFU_UTIL_USB_PATH);
    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_TRUE(lastLine(run.err).endsWith("Failed to enter DFU mode.")) << run.err.toStdString();
    EXPECT_TRUE(progressLines(run.out).isEmpty());
    EXPECT_FALSE(QFile::exists(path("received")));
}
