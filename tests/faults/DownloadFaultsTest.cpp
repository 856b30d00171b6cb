// The image download's failures through the update page: each ends in an alert that says what
// went wrong, the page back on the instructions before it, nothing flashed, and the image file
// from an earlier run untouched unless this run stored a whole transfer (a digest is checked
// after storing).
#include "TlsTestServer.h"
#include "core/Localization.h"
#include "support/WizardTest.h"
#include "update/FirmwareDownload.h"

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

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

HttpResponse redirectTo(const QString& url)
{
    return {.status = 302, .headers = {{"Location", url.toUtf8()}}};
}

class DownloadFaultsTest : public WizardTest
{
public:
    using WizardTest::imagePath;
    using WizardTest::serveOneImage;
    using WizardTest::server;
    using WizardTest::wizard;

    DownloadFaultsTest()
    {
        // A flashing tool that only records that it ran to write (the DFU setup page's watch
        // does not count).
        wizard.settings.toolPath = folder.filePath(QStringLiteral("dfu-util"));
        WizardFixture::writeFile(wizard.settings.toolPath,
                                 "#!/bin/sh\n[ \"$1\" = --watch ] && exit 0\ntouch \"$0.ran\"\n");
        QFile::setPermissions(wizard.settings.toolPath, QFile::ReadOwner | QFile::ExeOwner);
        serveOneImage(goodImage);
    }

    bool toolRan() const { return QFile::exists(wizard.settings.toolPath + ".ran"); }
    void serveImage(const HttpResponse& response) { server.setResponse(imagePath(), response); }
    // The image comes from elsewhere than the catalogue.
    void imagesFrom(const QString& origin)
    {
        wizard.catalogueServer = server.origin();
        wizard.settings.server = origin;
    }
    void tlsServer(HttpResponse response, bool trusted)
    {
        if (trusted)
            trust.emplace();
        tls = std::make_unique<TlsTestServer>(std::move(response));
        imagesFrom(tls->origin());
    }

    std::unique_ptr<TlsTestServer> tls;
    std::optional<TlsTestServer::TrustCertificate> trust;
};

struct DownloadFault
{
    const char* name;
    // Before the walk: what the servers answer, and where the image will be fetched from.
    std::function<void(DownloadFaultsTest&)> arrange;
    // The alert's text (or a part of it); a function, since the messages need the translator.
    std::function<QString()> alert;
    // The whole transfer, stored before its digest was found wrong; null: nothing stored.
    const QByteArray* stored = nullptr;
    bool alertIsPart = false;
};

QString text(const char* key)
{
    return localizedString(key);
}

const DownloadFault faults[] = {
    {"ConnectionRefused",
     [](DownloadFaultsTest& t) {
         t.imagesFrom(QStringLiteral("http://127.0.0.1:%1").arg(closedPort()));
     },
     [] {
         return QStringLiteral("Connection refused");
     }},
    {"HostDoesNotResolve",
     [](DownloadFaultsTest& t) { t.imagesFrom(QStringLiteral("https://firmware.invalid")); },
     [] {
         return QStringLiteral("Host firmware.invalid not found");
     }},
    {"UntrustedSelfSignedCertificate",
     [](DownloadFaultsTest& t) { t.tlsServer({.body = goodImage}, false); },
     [] { return QStringLiteral("The certificate is self-signed, and untrusted"); }, nullptr, true},
    {"RedirectFromHttpsToHttp",
     [](DownloadFaultsTest& t) {
         t.tlsServer(redirectTo(t.server.url(DownloadFaultsTest::imagePath()).toString()), true);
     },
     [] { return QStringLiteral("redirect"); }, nullptr, true},
    // Plain http stays between loopback addresses.
    {"RedirectToPlainHttpOnAnotherHost",
     [](DownloadFaultsTest& t) {
         t.serveImage(redirectTo(QStringLiteral("http://firmware.invalid/a-2.0.dfu")));
     },
     [] { return QStringLiteral("redirect"); }, nullptr, true},
    // The failure at the redirect's end is what the user hears of, not the redirect.
    {"RedirectToFailingHttps",
     [](DownloadFaultsTest& t) {
         t.serveImage(redirectTo(QStringLiteral("https://127.0.0.1:%1/a.dfu").arg(closedPort())));
     },
     [] {
         return QStringLiteral("Connection refused");
     }},
    {"RedirectLoop",
     [](DownloadFaultsTest& t) {
         t.serveImage(redirectTo(t.server.url(DownloadFaultsTest::imagePath()).toString()));
     },
     [] {
         return QStringLiteral("Too many redirects");
     }},
    {"NotFound", [](DownloadFaultsTest& t) { t.serveImage({.status = 404, .body = "gone"}); },
     [] {
         return formatWithInteger(text("Error_CouldNotDownLoadFirmware"), 404);
     }},
    {"ServerError", [](DownloadFaultsTest& t) { t.serveImage({.status = 500, .body = goodImage}); },
     [] {
         return formatWithInteger(text("Error_CouldNotDownLoadFirmware"), 500);
     }},
    {"BodyShorterThanContentLength",
     [](DownloadFaultsTest& t) {
         t.serveImage({.body = goodImage, .closeAfterBytes = goodImage.size() / 2});
     },
     [] {
         return text("Error_DownloadIncomplete");
     }},
    {"StallPastTheTimeout",
     [](DownloadFaultsTest& t) {
         t.wizard.settings.transferTimeout = std::chrono::milliseconds(300);
         t.serveImage({.body = goodImage, .stallMs = 5000});
     },
     [] {
         return text("Error_DownloadTimedOut");
     }},
    {"OversizeAnnounced",
     [](DownloadFaultsTest& t) {
         t.serveImage({.body = goodImage,
                       .announcedLength = FirmwareDownload::maximumImageSize + 1,
                       .closeAfterBytes = goodImage.size()});
     },
     [] {
         return text("Error_FirmwareTooLarge");
     }},
    {"OversizeWithoutLength",
     [](DownloadFaultsTest& t) {
         t.serveImage({.body = QByteArray(FirmwareDownload::maximumImageSize + 1, 'x'),
                       .sendContentLength = false});
     },
     [] {
         return text("Error_FirmwareTooLarge");
     }},
    {"DigestMismatch", [](DownloadFaultsTest& t) { t.serveOneImage(goodImage, "0123456789"); },
     [] { return text("Error_FileHashDoesNotMatch"); }, &goodImage},
    {"EmptyBody", [](DownloadFaultsTest& t) { t.serveImage({.body = {}}); },
     [] { return text("Error_FileHashDoesNotMatch"); }, &emptyImage},
};

class DownloadFaultMatrix : public DownloadFaultsTest,
                            public ::testing::WithParamInterface<DownloadFault>
{
};

TEST_P(DownloadFaultMatrix, AlertsGoesBackAndFlashesNothing)
{
    const DownloadFault& fault = GetParam();
    ASSERT_TRUE(QDir().mkpath(wizard.settings.documentsFolder));
    ASSERT_TRUE(WizardFixture::writeFile(wizard.firmwareFile(), earlierImage));
    fault.arrange(*this);
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage")));

    ASSERT_STEP(wizard.waitForAlert());
    const QString expected = fault.alert();
    EXPECT_TRUE(fault.alertIsPart ? wizard.alertText().contains(expected)
                                  : wizard.alertText() == expected)
        << wizard.alertText().toStdString() << "\nexpected: " << expected.toStdString();
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("DFUSetupPage")));
    EXPECT_EQ(wizard.stackSize(), 4);
    wizard.pause(150); // three hand-over delays: a wrongly scheduled flash would have begun
    EXPECT_FALSE(toolRan());
    EXPECT_EQ(wizard.alerts().alerts().size(), 1);
    EXPECT_EQ(wizard.quits(), 0);
    EXPECT_TRUE(wizard.quitGuardDown());
    EXPECT_TRUE(WizardFixture::readFile(wizard.firmwareFile()) ==
                (fault.stored ? *fault.stored : earlierImage));
    // Nothing half-written is left beside the image.
    EXPECT_EQ(QDir(wizard.settings.documentsFolder).entryList(QDir::Files),
              QStringList{QStringLiteral("veltFirmwareUpdate.dfu")});
    // A refused redirect never reaches the loopback server from elsewhere.
    if (tls)
        EXPECT_FALSE(server.requestedPaths().contains(imagePath()));
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadFaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

// What the refusals above are measured against: the same servers deliver when nothing is lost.
const std::function<void(DownloadFaultsTest&)> deliveries[] = {
    [](DownloadFaultsTest& t) {
        t.serveImage(redirectTo(t.server.url(QStringLiteral("/elsewhere.dfu")).toString()));
        t.server.setResponse(QStringLiteral("/elsewhere.dfu"), {.body = goodImage});
    },
    [](DownloadFaultsTest& t) { t.tlsServer({.body = goodImage}, true); },
};

class DownloadDelivered
    : public DownloadFaultsTest,
      public ::testing::WithParamInterface<std::function<void(DownloadFaultsTest&)>>
{
};

TEST_P(DownloadDelivered, StoresTheImageAndRunsTheTool)
{
    GetParam()(*this);
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage")));
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the tool"),
                                 [this] { return toolRan() || !wizard.alertText().isEmpty(); }));
    EXPECT_EQ(wizard.alertText(), "");
    EXPECT_TRUE(WizardFixture::readFile(wizard.firmwareFile()) == goodImage);
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadDelivered, ::testing::ValuesIn(deliveries));

} // namespace
} // namespace velt::test
