// The download stage's failures through the update page: each ends in an alert that says what
// went wrong, the page back on the instructions before it, nothing flashed, and the image file
// from an earlier run untouched unless this run stored a whole transfer (a digest is checked
// after storing).
#include "TlsTestServer.h"
#include "WizardHarness.h"
#include "catalogue/FirmwareServer.h"
#include "core/Localization.h"
#include "pages/UpdateProgressViewController.h"
#include "update/FirmwareDownload.h"
#include "update/FlashingStage.h"
#include "update/Md5.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <functional>
#include <optional>

namespace velt::test {
namespace {

QByteArray image(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) & 0xff);
    return bytes;
}

const QByteArray goodImage = image(96 * 1024);
const QByteArray earlierImage = "an earlier good image";
const QByteArray emptyImage;

class DownloadFaultsTest : public WizardHarness
{
protected:
    void SetUp() override
    {
        WizardHarness::SetUp();
        // A flashing tool that only records that it ran.
        const QString tool = m_folder.filePath(QStringLiteral("dfu-util"));
        writeFile(tool, "#!/bin/sh\ntouch \"$0.ran\"\n");
        QFile::setPermissions(tool, QFile::ReadOwner | QFile::ExeOwner);
        FlashingStage::setToolPathForTesting(tool);
        serveImage(goodImage);
    }
    void TearDown() override
    {
        FlashingStage::setToolPathForTesting({});
        WizardHarness::TearDown();
    }

public:
    using WizardHarness::imagePath;
    using WizardHarness::m_server;

    bool toolRan() const
    {
        return QFile::exists(m_folder.filePath(QStringLiteral("dfu-util.ran")));
    }

    void serveImageResponse(const HttpResponse& response)
    {
        m_server.setResponse(imagePath(), response);
    }
    void listDigest(const QString& digest)
    {
        HttpResponse list;
        list.body = catalogue(digest);
        m_server.setResponse(cataloguePath(), list);
    }

    // Where the image is fetched from once the catalogue has been read; unset: the catalogue's
    // server.
    std::optional<QString> m_imageOrigin;
    std::unique_ptr<TlsTestServer> m_tls;
    std::optional<TlsTestServer::TrustCertificate> m_trust;
};

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

HttpResponse redirectTo(const QString& url)
{
    HttpResponse response;
    response.status = 302;
    response.headers = {{"Location", url.toUtf8()}};
    return response;
}

struct DownloadFault
{
    const char* name;
    // Before the walk: what the servers answer, and where the image will be fetched from.
    std::function<void(DownloadFaultsTest&)> arrange;
    // The alert's text; a function, since the messages need the test's translator.
    std::function<QString()> alert;
    // The whole transfer, stored before its digest was found wrong; null: nothing stored.
    const QByteArray* stored = nullptr;
};

const DownloadFault faults[] = {
    {"ConnectionRefused",
     [](DownloadFaultsTest& t) {
         t.m_imageOrigin = QStringLiteral("http://127.0.0.1:%1").arg(closedPort());
     },
     [] {
         return QStringLiteral("Connection refused");
     }},
    {"HostDoesNotResolve",
     [](DownloadFaultsTest& t) { t.m_imageOrigin = QStringLiteral("https://firmware.invalid"); },
     [] {
         return QStringLiteral("Host firmware.invalid not found");
     }},
    {"UntrustedSelfSignedCertificate",
     [](DownloadFaultsTest& t) {
         t.m_tls = std::make_unique<TlsTestServer>(HttpResponse{.body = goodImage});
         t.m_imageOrigin = t.m_tls->origin();
     },
     [] {
         return QStringLiteral("SSL handshake failed: The certificate is self-signed, and "
                               "untrusted");
     }},
    {"RedirectFromHttpsToHttp",
     [](DownloadFaultsTest& t) {
         t.m_trust.emplace();
         t.m_tls = std::make_unique<TlsTestServer>(
             redirectTo(t.m_server.url(DownloadFaultsTest::imagePath()).toString()));
         t.m_imageOrigin = t.m_tls->origin();
     },
     [] {
         return QStringLiteral("Insecure redirect");
     }},
    {"RedirectLoop",
     [](DownloadFaultsTest& t) {
         t.serveImageResponse(
             redirectTo(t.m_server.url(DownloadFaultsTest::imagePath()).toString()));
     },
     [] {
         return QStringLiteral("Too many redirects");
     }},
    {"NotFound",
     [](DownloadFaultsTest& t) { t.serveImageResponse({.status = 404, .body = "gone"}); },
     [] {
         return formatWithInteger(localizedString("Error_CouldNotDownLoadFirmware"), 404);
     }},
    {"ServerError",
     [](DownloadFaultsTest& t) { t.serveImageResponse({.status = 500, .body = goodImage}); },
     [] {
         return formatWithInteger(localizedString("Error_CouldNotDownLoadFirmware"), 500);
     }},
    {"BodyShorterThanContentLength",
     [](DownloadFaultsTest& t) {
         t.serveImageResponse({.body = goodImage, .closeAfterBytes = goodImage.size() / 2});
     },
     [] {
         return localizedString("Error_DownloadIncomplete");
     }},
    {"StallPastTheTimeout",
     [](DownloadFaultsTest& t) {
         FirmwareDownload::setTransferTimeoutForTesting(300);
         t.serveImageResponse({.body = goodImage, .stallMs = 5000});
     },
     [] {
         return localizedString("Error_DownloadTimedOut");
     }},
    {"OversizeAnnounced",
     [](DownloadFaultsTest& t) {
         t.serveImageResponse({.body = goodImage,
                               .announcedLength = FirmwareDownload::maximumImageSize + 1,
                               .closeAfterBytes = goodImage.size()});
     },
     [] {
         return localizedString("Error_FirmwareTooLarge");
     }},
    {"OversizeWithoutLength",
     [](DownloadFaultsTest& t) {
         t.serveImageResponse({.body = QByteArray(FirmwareDownload::maximumImageSize + 1, 'x'),
                               .sendContentLength = false});
     },
     [] {
         return localizedString("Error_FirmwareTooLarge");
     }},
    {"DigestMismatch", [](DownloadFaultsTest& t) { t.listDigest(md5(goodImage + "x")); },
     [] { return localizedString("Error_FileHashDoesNotMatch"); }, &goodImage},
    {"EmptyBody", [](DownloadFaultsTest& t) { t.serveImageResponse({.body = {}}); },
     [] { return localizedString("Error_FileHashDoesNotMatch"); }, &emptyImage},
};

void PrintTo(const DownloadFault& fault, std::ostream* out)
{
    *out << fault.name;
}

class DownloadFaultMatrix : public DownloadFaultsTest,
                            public ::testing::WithParamInterface<DownloadFault>
{
};

TEST_P(DownloadFaultMatrix, AlertsGoesBackAndFlashesNothing)
{
    const DownloadFault& fault = GetParam();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(firmwareFile()).absolutePath()));
    writeFile(firmwareFile(), earlierImage);

    fault.arrange(*this);
    ASSERT_NO_FATAL_FAILURE(walkToDfuSetup());
    if (m_imageOrigin)
        setFirmwareServer(*m_imageOrigin);
    ASSERT_NO_FATAL_FAILURE(enterUpdatePage());

    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(m_alerts.texts(), QStringList{fault.alert()});
    ASSERT_TRUE(waitUntil([this] { return onScreenIdentifier() == "dfuSetup"; }));
    EXPECT_EQ(stackSize(), 4);
    waitUntil([] { return false; },
              150); // three hand-over delays: a wrongly scheduled flash would have begun
    EXPECT_FALSE(toolRan());
    EXPECT_EQ(m_alerts.alerts().size(), 1);
    EXPECT_EQ(m_quits, 0);
    EXPECT_TRUE(quitGuardDown());
    EXPECT_EQ(readFile(firmwareFile()), fault.stored ? *fault.stored : earlierImage);
    // Nothing half-written is left beside the image.
    EXPECT_EQ(QDir(QFileInfo(firmwareFile()).absolutePath()).entryList(QDir::Files),
              QStringList{QFileInfo(firmwareFile()).fileName()});
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadFaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

// What the refusals above are measured against: a redirect that loses no safety is followed.
TEST_F(DownloadFaultsTest, ARedirectOnTheSameSchemeIsFollowed)
{
    serveImageResponse(redirectTo(m_server.url(QStringLiteral("/elsewhere.dfu")).toString()));
    m_server.setResponse(QStringLiteral("/elsewhere.dfu"), HttpResponse{.body = goodImage});
    ASSERT_NO_FATAL_FAILURE(walkToDfuSetup());
    ASSERT_NO_FATAL_FAILURE(enterUpdatePage());
    ASSERT_TRUE(waitUntil([this] { return toolRan() || !m_alerts.alerts().isEmpty(); }));
    EXPECT_TRUE(m_alerts.alerts().isEmpty()) << m_alerts.texts().join('\n').toStdString();
    EXPECT_EQ(readFile(firmwareFile()), goodImage);
}

TEST_F(DownloadFaultsTest, RedirectFromHttpsToHttpIsNeverFollowed)
{
    m_trust.emplace();
    m_tls = std::make_unique<TlsTestServer>(redirectTo(m_server.url(imagePath()).toString()));
    ASSERT_NO_FATAL_FAILURE(walkToDfuSetup());
    setFirmwareServer(m_tls->origin());
    ASSERT_NO_FATAL_FAILURE(enterUpdatePage());
    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(m_tls->requests(), 1);
    EXPECT_FALSE(m_server.requestedPaths().contains(imagePath()));
}

// The same server with its certificate trusted delivers: the refusal above is the trust.
TEST_F(DownloadFaultsTest, TheSelfSignedServerDeliversOnceItsCertificateIsTrusted)
{
    m_trust.emplace();
    m_tls = std::make_unique<TlsTestServer>(HttpResponse{.body = goodImage});
    ASSERT_NO_FATAL_FAILURE(walkToDfuSetup());
    setFirmwareServer(m_tls->origin());
    ASSERT_NO_FATAL_FAILURE(enterUpdatePage());
    ASSERT_TRUE(waitUntil([this] { return toolRan() || !m_alerts.alerts().isEmpty(); }));
    EXPECT_TRUE(m_alerts.alerts().isEmpty()) << m_alerts.texts().join('\n').toStdString();
    EXPECT_EQ(readFile(firmwareFile()), goodImage);
}

} // namespace
} // namespace velt::test
