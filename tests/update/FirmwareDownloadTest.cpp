#include "update/FirmwareDownload.h"

#include "catalogue/FirmwareServer.h"
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

using test::HttpResponse;
using test::TestHttpServer;

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

// Runs one download stage against a server the test starts, into a temporary Documents folder.
class FirmwareDownloadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(documents.isValid());
        FirmwareDownload::setDocumentsFolderForTesting(documents.path());
        setFirmwareServer(server.origin());
    }
    void TearDown() override
    {
        FirmwareDownload::setDocumentsFolderForTesting({});
        FirmwareDownload::setTransferTimeoutForTesting(0);
    }

    std::shared_ptr<FirmwareVersion> version(const QString& digest, const QString& file = "fw.dfu")
    {
        auto v = std::make_shared<FirmwareVersion>();
        v->name = QStringLiteral("1.2.3");
        v->fileName = file;
        v->md5hash = digest;
        return v;
    }

    struct Outcome
    {
        bool verified = false;
        QString error;
        QList<qint64> maxima;
        QList<qint64> values;
    };

    Outcome run(const std::shared_ptr<FirmwareVersion>& v)
    {
        FirmwareDownload download;
        Outcome outcome;
        QObject::connect(&download, &FirmwareDownload::progressMaximumChanged,
                         [&](qint64 m) { outcome.maxima.append(m); });
        QObject::connect(&download, &FirmwareDownload::progressValueChanged,
                         [&](qint64 v) { outcome.values.append(v); });
        QSignalSpy verified(&download, &FirmwareDownload::verified);
        QSignalSpy failed(&download, &FirmwareDownload::failed);
        download.start(v);
        if (verified.isEmpty() && failed.isEmpty()) {
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return !verified.isEmpty() || !failed.isEmpty(); }, 20'000));
        }
        outcome.verified = !verified.isEmpty();
        if (!failed.isEmpty())
            outcome.error = failed.first().first().value<VeltError>().localizedDescription;
        return outcome;
    }

    QString imagePath() const { return FirmwareDownload::firmwareFilePath(); }

    QTemporaryDir documents;
    TestHttpServer server;
};

TEST_F(FirmwareDownloadTest, StoresAndVerifiesAGoodImage)
{
    const QByteArray body = image(300'000);
    server.setResponse("/updater/dfu/fw.dfu", {.body = body});
    const Outcome outcome = run(version(md5Hex(body)));
    EXPECT_TRUE(outcome.verified) << outcome.error.toStdString();
    EXPECT_EQ(outcome.maxima, QList<qint64>{body.size()});
    ASSERT_FALSE(outcome.values.isEmpty());
    EXPECT_EQ(outcome.values.last(), body.size());
    EXPECT_TRUE(std::is_sorted(outcome.values.begin(), outcome.values.end()));
    EXPECT_EQ(readFile(imagePath()), body);
    EXPECT_EQ(QFileInfo(imagePath()).fileName(), QStringLiteral("veltFirmwareUpdate.dfu"));
}

TEST_F(FirmwareDownloadTest, WithoutContentLengthTheMaximumIsUnknownAndTheValueFollows)
{
    const QByteArray body = image(70'000);
    server.setResponse("/updater/dfu/fw.dfu", {.body = body, .sendContentLength = false});
    const Outcome outcome = run(version(md5Hex(body)));
    EXPECT_TRUE(outcome.verified) << outcome.error.toStdString();
    EXPECT_EQ(outcome.maxima, QList<qint64>{-1});
    EXPECT_EQ(outcome.values.last(), body.size());
}

TEST_F(FirmwareDownloadTest, EmptyBodyIsStoredAndComparedLikeAnyOther)
{
    server.setResponse("/updater/dfu/fw.dfu", {.body = {}});
    EXPECT_TRUE(run(version(md5Hex({}))).verified);
    EXPECT_EQ(readFile(imagePath()), QByteArray());
}

TEST_F(FirmwareDownloadTest, DigestIsComparedExactlyAndTheFileStaysAfterAMismatch)
{
    const QByteArray body = image(5000);
    server.setResponse("/updater/dfu/fw.dfu", {.body = body});
    for (const QString& digest : {md5Hex(body).toUpper(), md5Hex(body) + " ", QString()}) {
        const Outcome outcome = run(version(digest));
        EXPECT_FALSE(outcome.verified);
        EXPECT_EQ(outcome.error, QStringLiteral("Error_FileHashDoesNotMatch"));
        EXPECT_EQ(readFile(imagePath()), body);
    }
}

// Every failed transfer leaves the earlier good image untouched and verifies nothing.
TEST_F(FirmwareDownloadTest, FailedTransfersKeepTheEarlierImage)
{
    const QByteArray earlier("an earlier good image");
    QFile file(imagePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(earlier);
    file.close();

    const QByteArray body = image(200'000);
    struct Case
    {
        const char* name;
        HttpResponse response;
        QString expectedError; // empty: any transport error text
    };
    const QList<Case> cases = {
        {"404", {.status = 404, .body = "<html>gone</html>"}, "Error_CouldNotDownLoadFirmware"},
        {"500", {.status = 500, .body = "oops"}, "Error_CouldNotDownLoadFirmware"},
        {"dropped mid-body", {.body = body, .closeAfterBytes = 50'000}, {}},
        {"shorter than announced",
         {.body = body.left(1000), .announcedLength = 5000, .closeAfterBytes = 1000},
         {}},
        {"oversize announced",
         {.body = "x",
          .announcedLength = FirmwareDownload::maximumImageSize + 1,
          .closeAfterBytes = 1},
         "Error_FirmwareTooLarge"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.setResponse("/updater/dfu/fw.dfu", c.response);
        const Outcome outcome = run(version(md5Hex(body)));
        EXPECT_FALSE(outcome.verified);
        EXPECT_FALSE(outcome.error.isEmpty());
        if (!c.expectedError.isEmpty()) {
            EXPECT_TRUE(outcome.error.startsWith(c.expectedError)) << outcome.error.toStdString();
        }
        EXPECT_EQ(readFile(imagePath()), earlier);
    }
}

TEST_F(FirmwareDownloadTest, ConnectionRefusedAndStalledServerFail)
{
    FirmwareDownload::setTransferTimeoutForTesting(300);
    server.setResponse("/updater/dfu/fw.dfu", {.body = "late", .stallMs = 3000});
    EXPECT_FALSE(run(version(md5Hex("late"))).error.isEmpty());

    setFirmwareServer(QStringLiteral("http://127.0.0.1:1"));
    EXPECT_FALSE(run(version(md5Hex("late"))).error.isEmpty());
}

TEST_F(FirmwareDownloadTest, MissingSelectionBadAddressAndUnwritableFolderAreReported)
{
    EXPECT_EQ(run(nullptr).error, QStringLiteral("Error_NoFirmwareSelected"));
    EXPECT_EQ(run(version("x", QStringLiteral("bad name with spaces%zz"))).error,
              QStringLiteral("Error_InvalidDownloadAddress"));

    // A Documents "folder" that is a plain file cannot hold the image.
    const QString blocked = documents.filePath(QStringLiteral("not-a-folder"));
    QFile blocker(blocked);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FirmwareDownload::setDocumentsFolderForTesting(blocked);
    const QByteArray body = image(1000);
    server.setResponse("/updater/dfu/fw.dfu", {.body = body});
    const Outcome outcome = run(version(md5Hex(body)));
    EXPECT_FALSE(outcome.verified);
    EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("Error_CouldNotSaveFirmware")));
}

} // namespace
} // namespace velt
