// SPDX-License-Identifier: Apache-2.0
// The download and flashing stages as the update page runs them, in one run:
//   download-64MiB        wall time from start() to verified() for a 64 MiB image (random bytes
//                         with a DFU suffix) served by `python3 -m http.server` on loopback,
//                         against `curl -s -o FILE URL && md5sum FILE` on the same file; best of
//                         three each, taken in turns. Ratio 1.0 at most.
//   download-peak-memory  peak resident size (VmHWM) of a fresh child process that does one such
//                         download, against 1.5 x the image + 60 MiB.
//   main-thread-stall     the longest gap between the beats of a 1 ms timer on the main thread
//                         while the 64 MiB image is downloaded and verified, while the flashing
//                         stage checks that image's MD5 again before a run (of /bin/true, which
//                         takes no time), then while a 1 MiB image is flashed into the simulated
//                         device at zero latency; the median of three runs, against one 60 Hz
//                         frame (16 ms). Each download replaces the image of the one before, a
//                         second old, which is released while the new one is checked.
// Exits 0 when every figure was measured, met or not; 1 when a measurement could not be made.
// The stages' diagnostic lines go to /dev/null so that only the figures reach standard output.
#include "DfuFile.h"
#include "catalogue/FirmwareServer.h"
#include "update/FirmwareDownload.h"
#include "update/FlashingStage.h"
#include "update/Md5.h"
#include "update/Shell.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using velt::FirmwareDownload;
using velt::FlashingStage;
using velt::VeltError;

namespace {

constexpr qint64 MiB = 1024 * 1024;
constexpr qint64 imageSize = 64 * MiB;
constexpr qint64 flashImageSize = 1 * MiB;
constexpr int rounds = 3;
constexpr double memoryBudgetMiB = 1.5 * imageSize / MiB + 60;
constexpr double stallBudgetMs = 16;
const char* const peakMemoryMode = "--peak-memory-of-one-download";

FILE* figures = stdout;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Standard output becomes /dev/null for the stages' diagnostics; the figures go to a copy of
// the original.
FILE* separateFiguresFromDiagnostics()
{
    std::fflush(stdout);
    const int original = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    if (original < 0 || null < 0)
        return stdout;
    dup2(null, STDOUT_FILENO);
    close(null);
    FILE* stream = fdopen(original, "w");
    if (!stream)
        return stdout;
    setvbuf(stream, nullptr, _IOLBF, 0);
    return stream;
}

// Random bytes with a suffix for 0a12:ffff, `size` bytes in all.
std::vector<uint8_t> randomImage(qint64 size, uint64_t seed)
{
    std::vector<uint8_t> payload(size_t(size - 16));
    std::mt19937_64 random(seed);
    for (size_t i = 0; i < payload.size(); i += 8) {
        const uint64_t word = random();
        std::memcpy(payload.data() + i, &word, std::min<size_t>(8, payload.size() - i));
    }
    return velt::dfu::withDfuSuffix(std::move(payload), 0x0a12, 0xffff);
}

bool writeFile(const QString& path, const std::vector<uint8_t>& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) ==
               qint64(bytes.size());
}

// `python3 -m http.server` on a port of 127.0.0.1 the system picks, serving one folder; stopped
// when this goes.
class StaticWebServer
{
public:
    ~StaticWebServer()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    // Returns once the server answers HTTP, or false after ten seconds.
    bool start(const QString& folder)
    {
        m_process.setProgram(QStringLiteral("python3"));
        m_process.setArguments(
            {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder});
        // One log line per request on standard error: nobody reads it.
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return false;

        // "Serving HTTP on 127.0.0.1 port 41234 (http://127.0.0.1:41234/) ..."
        QElapsedTimer clock;
        clock.start();
        const QRegularExpression portPattern(QStringLiteral(" port (\\d+)"));
        QByteArray banner;
        while (m_port == 0 && clock.elapsed() < 10'000) {
            if (!m_process.waitForReadyRead(int(10'000 - clock.elapsed())))
                return false;
            banner += m_process.readAllStandardOutput();
            const QRegularExpressionMatch match = portPattern.match(QString::fromUtf8(banner));
            if (match.hasMatch())
                m_port = match.captured(1).toUShort();
        }
        while (m_port != 0 && clock.elapsed() < 10'000) {
            if (answers())
                return true;
            QThread::msleep(20);
        }
        return false;
    }

    QString origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

private:
    bool answers() const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (!socket.waitForConnected(1000))
            return false;
        socket.write("HEAD / HTTP/1.0\r\n\r\n");
        return socket.waitForReadyRead(1000) && socket.readAll().startsWith("HTTP/1.");
    }

    QProcess m_process;
    quint16 m_port = 0;
};

// Beats every millisecond on the main thread and keeps the longest gap between two beats: the
// longest time the main thread's event loop did not run.
class Heartbeat
{
public:
    Heartbeat()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { beat(); });
    }

    void start()
    {
        m_clock.start();
        m_last = 0;
        m_worst = 0;
        m_timer.start();
    }

    // The longest gap since start() or the last call, up to now, in milliseconds.
    double takeWorstMs()
    {
        beat();
        const double worst = double(m_worst) / 1e6;
        m_worst = 0;
        return worst;
    }

    void stop() { m_timer.stop(); }

private:
    void beat()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

// What the update session asks the download stage for.
FirmwareDownload::Target downloadTarget(const QString& origin, const QString& fileName,
                                        const QString& digest, const QString& documents)
{
    return {QUrl(origin + QStringLiteral("/updater/dfu/") + fileName), digest,
            QDir(documents).filePath(QStringLiteral("veltFirmwareUpdate.dfu"))};
}

struct Outcome
{
    bool ok = false;
    QString error;
};

// Runs the event loop until one of the handlers it is given calls end().
class Waiter
{
public:
    void end(bool ok, const QString& error = {})
    {
        m_outcome = {ok, error};
        m_ended = true;
        m_loop.quit();
    }
    Outcome wait()
    {
        if (!m_ended)
            m_loop.exec();
        return m_outcome;
    }

private:
    QEventLoop m_loop;
    bool m_ended = false;
    Outcome m_outcome;
};

void endOnOutcome(FirmwareDownload& download, Waiter& waiter)
{
    QObject::connect(&download, &FirmwareDownload::verified, [&waiter] { waiter.end(true); });
    QObject::connect(&download, &FirmwareDownload::failed, [&waiter](const VeltError& error) {
        waiter.end(false, error.localizedDescription);
    });
}

// Seconds from start() to verified(), or a negative number when it failed.
double timeOneDownload(const FirmwareDownload::Target& target)
{
    Waiter waiter;
    FirmwareDownload download;
    endOnOutcome(download, waiter);
    const Clock::time_point start = Clock::now();
    download.start(target);
    const Outcome outcome = waiter.wait();
    const double seconds = secondsSince(start);
    if (!outcome.ok)
        std::fprintf(stderr, "download_bench: download failed: %s\n", qPrintable(outcome.error));
    return outcome.ok ? seconds : -1;
}

// `curl -s -o FILE URL && md5sum FILE`; seconds, or a negative number when it failed or the
// digest differs.
double timeOneBaseline(const QString& url, const QString& path, const QString& digest)
{
    const QByteArray command = "curl -s -o '" + QFile::encodeName(path) + "' '" + url.toUtf8() +
                               "' && md5sum '" + QFile::encodeName(path) + "'";
    const Clock::time_point start = Clock::now();
    FILE* pipe = popen(command.constData(), "r");
    if (!pipe)
        return -1;
    char line[512] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    const int status = pclose(pipe);
    const double seconds = secondsSince(start);
    const bool ok = read && status == 0 && QByteArray(line).startsWith(digest.toLatin1());
    if (!ok)
        std::fprintf(stderr, "download_bench: the curl and md5sum baseline failed\n");
    return ok ? seconds : -1;
}

// Peak resident size of this process in KiB: VmHWM, or ru_maxrss where /proc is missing.
qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The child's side of the memory figure: one download, then "peak-kib N".
int downloadAndReportPeak(const QString& origin, const QString& fileName, const QString& digest,
                          const QString& documents)
{
    if (timeOneDownload(downloadTarget(origin, fileName, digest, documents)) < 0)
        return 1;
    std::fprintf(figures, "peak-kib %lld\n", peakResidentKiB());
    return 0;
}

// Runs this program again for one download alone, so that nothing done before inflates the
// peak; MiB, or a negative number when it failed.
double peakMemoryOfOneDownload(const QString& origin, const QString& fileName,
                               const QString& digest, const QString& documents)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {peakMemoryMode, origin, fileName, digest, documents});
    if (!child.waitForFinished(120'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        return -1;
    const QByteArray output = child.readAllStandardOutput().trimmed();
    if (!output.startsWith("peak-kib "))
        return -1;
    return double(output.mid(9).toLongLong()) / 1024;
}

struct Stall
{
    bool ok = false;
    double downloadMs = 0;
    double checkMs = 0;
    double flashingMs = 0;
};

// One download of the image with the heartbeat running, the check of the downloaded image that
// precedes every run of the tool, then one flashing of the small image.
Stall measureStall(const FirmwareDownload::Target& target, const QString& flashImagePath,
                   const QString& flashDigest)
{
    Stall stall;
    Heartbeat heartbeat;
    Waiter waiter;
    FirmwareDownload download;
    FlashingStage check({QStringLiteral("/bin/true"), target.expectedDigest});
    FlashingStage flashing({QStringLiteral(DFU_UTIL_PATH), flashDigest});
    QObject::connect(&download, &FirmwareDownload::verified, [&] {
        stall.downloadMs = heartbeat.takeWorstMs();
        check.startWriting(target.filePath);
    });
    QObject::connect(&check, &FlashingStage::succeeded, [&] {
        stall.checkMs = heartbeat.takeWorstMs();
        flashing.startWriting(flashImagePath);
    });
    QObject::connect(&download, &FirmwareDownload::failed, [&](const VeltError& error) {
        waiter.end(false, QStringLiteral("download: ") + error.localizedDescription);
    });
    QObject::connect(&flashing, &FlashingStage::succeeded, [&] {
        stall.flashingMs = heartbeat.takeWorstMs();
        waiter.end(true);
    });
    for (FlashingStage* stage : {&check, &flashing}) {
        QObject::connect(stage, &FlashingStage::failed, [&](const VeltError& error) {
            waiter.end(false, QStringLiteral("flashing: ") + error.localizedDescription);
        });
    }

    heartbeat.start();
    download.start(target);
    const Outcome outcome = waiter.wait();
    heartbeat.stop();
    velt::Shell::setDelegate(nullptr);
    if (!outcome.ok)
        std::fprintf(stderr, "download_bench: %s\n", qPrintable(outcome.error));
    stall.ok = outcome.ok;
    return stall;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    figures = separateFiguresFromDiagnostics();
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 6 && arguments[1] == QLatin1String(peakMemoryMode))
        return downloadAndReportPeak(arguments[2], arguments[3], arguments[4], arguments[5]);

    QTemporaryDir folder;
    const QString dfuFolder = folder.filePath(QStringLiteral("updater/dfu"));
    const QString documents = folder.filePath(QStringLiteral("documents"));
    const QString fileName = QStringLiteral("bench-64MiB.dfu");
    const QString flashImagePath = folder.filePath(QStringLiteral("flash-1MiB.dfu"));
    QString digest;
    QString flashDigest;
    {
        const std::vector<uint8_t> image = randomImage(imageSize, 64);
        const std::vector<uint8_t> flashImage = randomImage(flashImageSize, 1);
        digest = velt::md5(QByteArray::fromRawData(reinterpret_cast<const char*>(image.data()),
                                                   qsizetype(image.size())));
        if (!folder.isValid() || !QDir().mkpath(dfuFolder) || !QDir().mkpath(documents) ||
            !writeFile(QDir(dfuFolder).filePath(fileName), image) ||
            !writeFile(flashImagePath, flashImage)) {
            std::fprintf(stderr, "download_bench: cannot write the images\n");
            return 1;
        }
        flashDigest = velt::md5(QByteArray::fromRawData(
            reinterpret_cast<const char*>(flashImage.data()), qsizetype(flashImage.size())));
    }

    StaticWebServer server;
    if (!server.start(folder.path())) {
        std::fprintf(stderr, "download_bench: the web server (python3 -m http.server) did not "
                             "answer\n");
        return 1;
    }
    if (!velt::setFirmwareServer(server.origin()).usable()) {
        std::fprintf(stderr, "download_bench: %s refused\n", qPrintable(server.origin()));
        return 1;
    }
    const FirmwareDownload::Target target =
        downloadTarget(server.origin(), fileName, digest, documents);
    const QString url = target.url.toString();
    const QString baselineCopy = folder.filePath(QStringLiteral("curl-copy.dfu"));

    bool measured = true;
    double bestStage = 1e100, bestBaseline = 1e100;
    for (int round = 0; round < rounds; ++round) {
        const double stage = timeOneDownload(target);
        const double baseline = timeOneBaseline(url, baselineCopy, digest);
        measured = measured && stage >= 0 && baseline >= 0;
        bestStage = std::min(bestStage, stage);
        bestBaseline = std::min(bestBaseline, baseline);
    }
    if (measured) {
        std::fprintf(figures, "download-64MiB: %.2f s baseline=%.2f s ratio=%.2f target=<=1.0\n",
                     bestStage, bestBaseline, bestStage / bestBaseline);
    }

    const double peakMiB =
        peakMemoryOfOneDownload(server.origin(), fileName, digest, folder.filePath("peak"));
    if (peakMiB >= 0) {
        std::fprintf(figures,
                     "download-peak-memory: %.0f MiB baseline=%.0f MiB ratio=%.2f target=<=1.0\n",
                     peakMiB, memoryBudgetMiB, peakMiB / memoryBudgetMiB);
    } else {
        std::fprintf(stderr, "download_bench: the peak memory could not be measured\n");
        measured = false;
    }

    qputenv("VELT_DFU_SIMULATOR", "1,latency-ms=0");
    std::vector<double> stalls;
    for (int round = 0; round < rounds; ++round) {
        const Stall stall = measureStall(target, flashImagePath, flashDigest);
        if (!stall.ok)
            break;
        std::fprintf(stderr,
                     "download_bench: longest gap downloading %.1f ms, checking the image before "
                     "a run %.1f ms, flashing %.1f ms\n",
                     stall.downloadMs, stall.checkMs, stall.flashingMs);
        stalls.push_back(std::max({stall.downloadMs, stall.checkMs, stall.flashingMs}));
    }
    if (stalls.size() == size_t(rounds)) {
        const double stall = median(stalls);
        std::fprintf(figures,
                     "main-thread-stall: %.1f ms baseline=%.0f ms ratio=%.2f target=<=1.0\n", stall,
                     stallBudgetMs, stall / stallBudgetMs);
    } else {
        measured = false;
    }
    return measured ? 0 : 1;
}
