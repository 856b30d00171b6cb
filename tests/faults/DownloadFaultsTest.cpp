// SPDX-License-Identifier: Apache-2.0
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
#include <optional>

namespace velt::test {
namespace {

using test::PrintTo; // names the table rows in failure messages

const QByteArray goodImage = [] {
    QByteArray bytes(96 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) & 0xff);
    return bytes;
}();
const QByteArray earlierImage = "an earlier good image";

// Where the image is fetched from: the catalogue's server, or another one.
enum class From { Catalogue, ClosedPort, NoSuchHost, UntrustedTls, TrustedTls };

struct DownloadFault
{
    const char* name;
    // What the image's server answers. In a Location, {self} is the image's address on the
    // catalogue's server and {closed} a loopback port nobody listens on.
    HttpResponse image;
    // A message key, or a part of the alert's text.
    const char* alert;
    From from = From::Catalogue;
    const char* listedDigest = nullptr; // the catalogue's digest; null: the good image's
};

HttpResponse redirectTo(const char* location)
{
    return {.status = 302, .headers = {{"Location", location}}};
}

const DownloadFault faults[] = {
    {"ConnectionRefused", {}, "Connection refused", From::ClosedPort},
    {"HostDoesNotResolve", {}, "Host firmware.invalid not found", From::NoSuchHost},
    {"UntrustedSelfSignedCertificate",
     {.body = goodImage},
     "The certificate is self-signed, and untrusted",
     From::UntrustedTls},
    {"RedirectFromHttpsToHttp", redirectTo("{self}"), "redirect", From::TrustedTls},
    // Plain http stays between loopback addresses.
    {"RedirectToPlainHttpOnAnotherHost", redirectTo("http://firmware.invalid/a.dfu"), "redirect"},
    // The failure at the redirect's end is what the user hears of, not the redirect.
    {"RedirectToFailingHttps", redirectTo("https://127.0.0.1:{closed}/a.dfu"),
     "Connection refused"},
    {"RedirectLoop", redirectTo("{self}"), "Too many redirects"},
    {"NotFound", {.status = 404, .body = "gone"}, "404"},
    {"ServerError", {.status = 500, .body = goodImage}, "500"},
    {"BodyShorterThanContentLength",
     {.body = goodImage, .closeAfterBytes = 1000},
     "Error_DownloadIncomplete"},
    {"StallPastTheTimeout", {.body = goodImage, .stallMs = 5000}, "Error_DownloadTimedOut"},
    {"OversizeAnnounced",
     {.body = goodImage,
      .announcedLength = FirmwareDownload::maximumImageSize + 1,
      .closeAfterBytes = goodImage.size()},
     "Error_FirmwareTooLarge"},
    {"OversizeWithoutLength",
     {.body = QByteArray(FirmwareDownload::maximumImageSize + 1, 'x'), .sendContentLength = false},
     "Error_FirmwareTooLarge"},
    {"DigestMismatch",
     {.body = goodImage},
     "Error_FileHashDoesNotMatch",
     From::Catalogue,
     "0123456789abcdef0123456789abcdef"},
    {"EmptyBody", {}, "Error_FileHashDoesNotMatch"},
};

class DownloadFaultsTest : public WizardTest, public ::testing::WithParamInterface<DownloadFault>
{
protected:
    DownloadFaultsTest()
    {
        // A flashing tool that only records that it ran to write (the DFU setup page's watch
        // does not count).
        wizard.settings.toolPath = folder.filePath(QStringLiteral("dfu-util"));
        WizardFixture::writeFile(wizard.settings.toolPath,
                                 "#!/bin/sh\n[ \"$1\" = --watch ] && exit 0\ntouch \"$0.ran\"\n");
        QFile::setPermissions(wizard.settings.toolPath, QFile::ReadOwner | QFile::ExeOwner);
        wizard.settings.transferTimeout = std::chrono::milliseconds(1000);
    }

    bool toolRan() const { return QFile::exists(wizard.settings.toolPath + ".ran"); }

    // Serves the catalogue and the row's image from where the row says.
    void arrange(const DownloadFault& fault)
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        HttpResponse image = fault.image;
        for (auto& [name, value] : image.headers)
            value = QString::fromUtf8(value)
                        .replace(u"{self}"_qs, server.url(imagePath()).toString())
                        .replace(u"{closed}"_qs, QString::number(probe.serverPort()))
                        .toUtf8();
        serveOneImage(goodImage, QString::fromLatin1(fault.listedDigest));
        server.setResponse(imagePath(), image);
        wizard.catalogueServer = server.origin();
        if (fault.from == From::ClosedPort)
            wizard.settings.server = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        if (fault.from == From::NoSuchHost)
            wizard.settings.server = QStringLiteral("https://firmware.invalid");
        if (fault.from == From::TrustedTls)
            trust.emplace();
        if (fault.from == From::UntrustedTls || fault.from == From::TrustedTls) {
            tls = std::make_unique<TlsTestServer>(image);
            wizard.settings.server = tls->origin();
        }
    }

    std::optional<TlsTestServer::TrustCertificate> trust;
    std::unique_ptr<TlsTestServer> tls;
};

TEST_P(DownloadFaultsTest, AlertsGoesBackAndFlashesNothing)
{
    const DownloadFault& fault = GetParam();
    ASSERT_TRUE(QDir().mkpath(wizard.settings.documentsFolder));
    ASSERT_TRUE(WizardFixture::writeFile(wizard.firmwareFile(), earlierImage));
    arrange(fault);
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage")));

    ASSERT_STEP(wizard.waitForAlert());
    if (QByteArray(fault.alert).startsWith("Error_"))
        EXPECT_EQ(wizard.alertText(), localizedString(fault.alert));
    else
        EXPECT_TRUE(wizard.alertText().contains(QLatin1String(fault.alert)))
            << wizard.alertText().toStdString();
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("DFUSetupPage")));
    EXPECT_EQ(wizard.stackSize(), 4);
    wizard.pause(150); // three hand-over delays: a wrongly scheduled flash would have begun
    EXPECT_FALSE(toolRan());
    EXPECT_EQ(wizard.alerts().alerts().size(), 1);
    EXPECT_EQ(wizard.quits(), 0);
    EXPECT_TRUE(wizard.quitGuardDown());
    // A whole transfer is stored before its digest is checked; nothing else replaces the
    // earlier image, and nothing half-written is left beside it.
    const bool stored = QByteArray(fault.alert) == "Error_FileHashDoesNotMatch";
    EXPECT_TRUE(WizardFixture::readFile(wizard.firmwareFile()) ==
                (stored ? fault.image.body : earlierImage));
    EXPECT_EQ(QDir(wizard.settings.documentsFolder).entryList(QDir::Files),
              QStringList{QStringLiteral("veltFirmwareUpdate.dfu")});
    // A redirect from elsewhere never reaches the loopback server.
    if (tls)
        EXPECT_FALSE(server.requestedPaths().contains(imagePath()));
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadFaultsTest, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

// What the refusals above are measured against: the same servers deliver when nothing is lost.
class DownloadDelivered : public DownloadFaultsTest
{
};

TEST_P(DownloadDelivered, StoresTheImageAndRunsTheTool)
{
    arrange(GetParam());
    server.setResponse(QStringLiteral("/elsewhere.dfu"), {.body = goodImage});
    ASSERT_STEP(wizard.walkTo(QStringLiteral("UpdateProgressPage")));
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the tool"),
                                 [this] { return toolRan() || !wizard.alertText().isEmpty(); }));
    EXPECT_EQ(wizard.alertText(), "");
    EXPECT_TRUE(WizardFixture::readFile(wizard.firmwareFile()) == goodImage);
}

const DownloadFault deliveries[] = {
    {"RedirectOnTheSameScheme", redirectTo("/elsewhere.dfu"), ""},
    {"TrustedSelfSignedCertificate", {.body = goodImage}, "", From::TrustedTls},
};

INSTANTIATE_TEST_SUITE_P(Download, DownloadDelivered, ::testing::ValuesIn(deliveries),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velt::test
