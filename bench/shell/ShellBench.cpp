// SPDX-License-Identifier: Apache-2.0
// Throughput of the shell runner: 256 MiB of a child's standard output through background mode
// into a delegate that counts characters, and through blocking mode, each against
// `cat FILE | cat > /dev/null` on the same file in the same run. Best of three runs each;
// MB = 10^6 bytes. Exits 0 when both figures were measured, met or not (bench/run tells a
// benchmark that ran from one that did not by its exit status); 1 when a run went wrong.
#include "update/Shell.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

using velt::Shell;

namespace {

constexpr qint64 dataSize = 256LL * 1024 * 1024;
constexpr int rounds = 3;
constexpr double backgroundTarget = 500; // MB/s

class CountingDelegate : public velt::ShellDelegate
{
public:
    void shellDidReceiveOutput(const QString& output) override { characters += output.size(); }
    qint64 characters = 0;
};

// Progress-like ASCII lines, as the flashing tool writes them, up to the size.
bool writeData(const QString& path)
{
    QByteArray block;
    for (int i = 0; block.size() < 1024 * 1024; ++i)
        block += "[i] Downloading firmware - " + QByteArray::number(i) + " of 1048576\n";
    block.truncate(1024 * 1024);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (qint64 written = 0; written < dataSize; written += block.size()) {
        if (file.write(block) != block.size())
            return false;
    }
    return true;
}

// Seconds of the fastest of the rounds.
double bestSeconds(const std::function<bool()>& once)
{
    double best = 1e100;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!once()) {
            std::fprintf(stderr, "shell_bench: a run failed\n");
            std::exit(1);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

double megabytesPerSecond(double seconds)
{
    return double(dataSize) / 1e6 / seconds;
}

} // namespace

int main(int argc, char** argv)
{
    // Background runs are events of this application's loop.
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.txt"));
    if (!dir.isValid() || !writeData(path)) {
        std::fprintf(stderr, "shell_bench: cannot write the test data\n");
        return 1;
    }
    const QByteArray quotedPath = "'" + QFile::encodeName(path) + "'";

    const double baseline = megabytesPerSecond(bestSeconds([&] {
        return std::system(("cat " + quotedPath + " | cat > /dev/null").constData()) == 0;
    }));

    auto delegate = std::make_shared<CountingDelegate>();
    Shell::setDelegate(delegate);
    const double background = megabytesPerSecond(bestSeconds([&] {
        delegate->characters = 0;
        QEventLoop loop;
        qsizetype outputSize = 0;
        Shell::runInBackground(QStringLiteral("/bin/cat"), {path}, [&](Shell::Outcome outcome) {
            outputSize = outcome.output.size();
            loop.quit();
        });
        loop.exec();
        return delegate->characters == dataSize && outputSize == dataSize - 1;
    }));
    Shell::setDelegate(nullptr);

    const double blocking = megabytesPerSecond(bestSeconds([&] {
        return Shell::runAndWait(QStringLiteral("/bin/cat"), {path}).output.size() == dataSize - 1;
    }));

    std::printf("shell-background: %.0f MB/s baseline=%.0f MB/s ratio=%.2f target=>=%.0fMB/s\n",
                background, baseline, background / baseline, backgroundTarget);
    std::printf("shell-blocking: %.0f MB/s baseline=%.0f MB/s ratio=%.2f target=none\n", blocking,
                baseline, blocking / baseline);
    return 0;
}
