// SPDX-License-Identifier: Apache-2.0
// The verdict against the device's own account: random devices and faults, each through a whole
// update with the real flashing tool. The session succeeds exactly when the simulated device's
// record of the last run says it holds the whole payload, took the end of image after it, never
// went into dfuERROR, answered no status falsely and caught no breach of the host; otherwise it
// fails. Either way the quit guard ends down and there is one verdict.
//   VELT_PROPERTY_SEED (default 20261207), VELT_PROPERTY_CASES (100), VELT_PROPERTY_SECONDS (60):
//   case i draws from seed + i; no case starts after the time is up.
#include "DfuFile.h"
#include "catalogue/FirmwareVersion.h"
#include "support/Files.h"
#include "support/TestHttpServer.h"
#include "update/UpdateSession.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

namespace velt {
namespace {

using namespace std::chrono_literals;
using namespace Qt::Literals::StringLiterals;

quint64 environmentNumber(const char* name, quint64 fallback)
{
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

struct Case
{
    QByteArray payload; // the image without its DFU suffix
    QString device;     // VELT_DFU_SIMULATOR, without the files of the run
};

// Up to 4 KiB of payload, a transfer size, up to two traits of a sound device and up to three
// faults, each at a block inside the image, its last block, the end of image or past it.
Case randomCase(quint64 seed)
{
    QRandomGenerator random(seed);
    auto pick = [&](const QStringList& list) {
        return list.at(random.bounded(int(list.size())));
    };
    Case c;
    c.payload.resize(random.bounded(1, 4097));
    for (char& byte : c.payload)
        byte = char(random.bounded(256));
    const int transferSize = QList{16, 64, 200, 1023, 2048, 4096, 8192}.at(random.bounded(7));
    const int last = int(c.payload.size() - 1) / std::min(transferSize, 4096);
    auto at = [&] {
        const int where = random.bounded(4);
        return where == 0   ? u"end"_s
               : where == 1 ? QString::number(last)
               : where == 2 ? QString::number(random.bounded(last + 1))
                            : QString::number(last + 1 + random.bounded(3));
    };
    QStringList settings{u"transfer-size=%1"_s.arg(transferSize)};
    for (int i = random.bounded(3); i > 0; --i)
        settings << pick({u"dfu11"_s, u"not-tolerant"_s, u"will-detach"_s, u"runtime"_s,
                          u"descriptor=configuration"_s, u"descriptor=request"_s,
                          u"manifest-rounds=3"_s, u"poll-ms=1"_s, u"latency-ms=1"_s,
                          u"start-state=dfuERROR,start-status=errWRITE"_s,
                          u"start-state=dfuDNLOAD-IDLE"_s});
    for (int i = random.bounded(4); i > 0; --i) {
        const QString count = QString::number(random.bounded(1, 5));
        settings << pick(
            {u"getstatus-timeouts="_s + count, u"getstatus-timeouts=%1@%2"_s.arg(count, at()),
             u"short-status="_s + at(), u"vanish="_s + at(), u"dnload-stall="_s + at(),
             u"dnload-lost="_s + at(), u"dnload-timeout="_s + at(),
             u"error="_s + pick({u"errWRITE"_s, u"errNOTDONE"_s, u"errFIRMWARE"_s}) + u'@' + at(),
             u"odd-state=%1@%2"_s.arg(random.bounded(11, 256)).arg(at()), u"manifest=silent"_s,
             u"manifest=gone"_s, u"failing-runs="_s + QString::number(random.bounded(1, 7)),
             u"flash-kib="_s + QString::number(random.bounded(1, 5)), u"poll-ms=10001"_s,
             u"absent"_s, u"busy"_s, u"access"_s, u"duplicate"_s});
    }
    c.device = settings.join(u',');
    return c;
}

class VerdictPropertyTest : public ::testing::Test
{
protected:
    // Runs one case; an empty text when the verdict is the one the device's record calls for.
    QString violation(const Case& c)
    {
        QTemporaryDir folder;
        const QString record = folder.filePath(u"record"_s);
        qputenv(
            "VELT_DFU_SIMULATOR",
            u"%1,state=%2,record=%3"_s.arg(c.device, folder.filePath(u"runs"_s), record).toUtf8());
        const std::vector<uint8_t> dfuFile =
            dfu::withDfuSuffix({c.payload.begin(), c.payload.end()}, 0x0a12, 0xffff);
        const QByteArray image(reinterpret_cast<const char*>(dfuFile.data()),
                               qsizetype(dfuFile.size()));
        server.setResponse(u"/updater/dfu/fw.dfu"_s, {.body = image});
        auto version = std::make_shared<FirmwareVersion>();
        version->fileName = u"fw.dfu"_s;
        version->md5hash = QCryptographicHash::hash(image, QCryptographicHash::Md5).toHex();

        // clang-format off
        UpdateSession session(version, {server.origin(), folder.filePath(u"Documents"_s),
                                        QStringLiteral(VELT_TOOL_PATH), 5s, 1ms, 1ms, 30s, {}});
        // clang-format on
        QList<bool> guard;
        QObject::connect(&session, &UpdateSession::toolRunningChanged,
                         [&](bool running) { guard.append(running); });
        QSignalSpy succeeded(&session, &UpdateSession::succeeded);
        QSignalSpy failed(&session, &UpdateSession::failed);
        session.start();
        if (!QTest::qWaitFor([&] { return succeeded.size() + failed.size() > 0; }, 60'000))
            return u"no verdict within 60 s"_s;
        QCoreApplication::processEvents(); // a second verdict would be a violation too

        const QString seen = QString::fromLatin1(test::readFile(record));
        const QString whole = QString::number(c.payload.size());
        const bool written =
            seen.simplified() ==
            u"received=%1 end-after=%1 dfu-error=0 garbled=0 breaches=0"_s.arg(whole);
        const bool guardDown = guard.isEmpty() || !guard.last();
        if (succeeded.size() == int(written) && failed.size() == int(!written) && guardDown)
            return {};
        return u"the device's record \"%1\", but %2 success, %3 failure, guard %4 %5"_s
            .arg(seen.trimmed())
            .arg(succeeded.size())
            .arg(failed.size())
            .arg(guardDown ? u"down"_s : u"up"_s,
                 failed.isEmpty() ? QString()
                                  : failed[0][0].value<VeltError>().localizedDescription);
    }

    test::TestHttpServer server;
};

TEST_F(VerdictPropertyTest, SucceedsExactlyWhenTheDeviceWasWritten)
{
    const quint64 seed = environmentNumber("VELT_PROPERTY_SEED", 20261207);
    const quint64 cases = environmentNumber("VELT_PROPERTY_CASES", 100);
    const qint64 timeCapMs = qint64(environmentNumber("VELT_PROPERTY_SECONDS", 60)) * 1000;
    const QByteArray previous = qgetenv("VELT_DFU_SIMULATOR");
    QElapsedTimer clock;
    clock.start();
    quint64 ran = 0, violations = 0;
    for (; ran < cases && clock.elapsed() < timeCapMs; ++ran) {
        const Case c = randomCase(seed + ran);
        const QString why = violation(c);
        if (why.isEmpty())
            continue;
        ++violations;
        ADD_FAILURE() << "VELT_PROPERTY_SEED=" << seed + ran
                      << " VELT_PROPERTY_CASES=1: " << c.payload.size()
                      << " bytes, VELT_DFU_SIMULATOR=" << c.device.toStdString() << ": "
                      << why.toStdString();
    }
    previous.isNull() ? qunsetenv("VELT_DFU_SIMULATOR") : qputenv("VELT_DFU_SIMULATOR", previous);
    std::printf("verdict property: seed %llu, %llu of %llu cases in %lld s, %llu violations\n",
                seed, ran, cases, qint64(clock.elapsed() / 1000), violations);
    EXPECT_GT(ran, 0u);
}

} // namespace
} // namespace velt
