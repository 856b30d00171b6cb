// SPDX-License-Identifier: Apache-2.0
// Bad catalogue documents through the first page: each ends in one alert naming the failure
// and its code, then the application ends, and the wizard never gets past its first page.
#include "catalogue/CatalogueFetcher.h"
#include "catalogue/CatalogueReader.h"
#include "core/Localization.h"
#include "support/WizardTest.h"

#include <QNetworkReply>

namespace velt::test {
namespace {

using test::PrintTo; // names the table rows in failure messages

enum class Failure { Retrieve, Read };

struct CatalogueFault
{
    const char* name;
    HttpResponse response;
    Failure failure;
    qint64 code;
};

HttpResponse document(const QByteArray& body, int status = 200)
{
    return {.status = status, .body = body, .contentType = "application/json"};
}

const QByteArray aVersion =
    R"({"name": "2.0", "filename": "a.dfu", "md5": "m", "release_date": "d"})";

QByteArray withVersions(const QByteArray& versions, const QByteArray& compatibility = "[]")
{
    return R"({"version": )" + versions + R"(, "compatibility": )" + compatibility + "}";
}

const CatalogueFault faults[] = {
    // Not JSON at all, or cut short.
    {"HtmlErrorPage", document("<html><body>502 Bad Gateway</body></html>", 502), Failure::Read,
     101},
    {"EmptyBody", document(""), Failure::Read, 101},
    {"TruncatedDocument", document(R"({"version": [)"), Failure::Read, 101},
    {"TrailingGarbage", document(withVersions("[]") + " }"), Failure::Read, 101},
    {"NumberBeyondADouble", document(R"({"version": [], "compatibility": [], "n": 1e999})"),
     Failure::Read, 406},
    {"NulByteInside", document(QByteArray("{\"version\": [], \0 \"compatibility\": []}", 38)),
     Failure::Read, 101},
    // Not UTF-8 text.
    {"Latin1Text", document("{\"version\": [], \"compatibility\": [], \"x\": \"caf\xE9\"}"),
     Failure::Retrieve, CatalogueReader::notUtf8Code},
    {"EncodedSurrogate", document("{\"x\": \"\xED\xA0\x80\"}"), Failure::Retrieve,
     CatalogueReader::notUtf8Code},
    {"Utf16Document", document(QByteArray("\xFF\xFE{\0}\0", 6)), Failure::Retrieve,
     CatalogueReader::notUtf8Code},
    // JSON, but not an object.
    {"TopLevelString", document(R"("a catalogue")"), Failure::Read,
     CatalogueReader::notAnObjectCode},
    {"TopLevelArray", document(R"([{"version": []}])"), Failure::Read,
     CatalogueReader::notAnObjectCode},
    {"TopLevelNull", document("null"), Failure::Read, CatalogueReader::notAnObjectCode},
    // An object, but not a catalogue.
    {"NoVersionKey", document(R"({"compatibility": []})"), Failure::Read,
     CatalogueReader::invalidCatalogueCode},
    {"CompatibilityNotAnArray", document(R"({"version": [], "compatibility": {}})"), Failure::Read,
     CatalogueReader::invalidCatalogueCode},
    {"FileNameUnderAnotherKey",
     document(withVersions(
         R"([{"name": "2.0", "fileName": "a.dfu", "md5": "m", "release_date": "d"}])")),
     Failure::Read, CatalogueReader::invalidCatalogueCode},
    {"DigestAsANumber",
     document(
         withVersions(R"([{"name": "2.0", "filename": "a.dfu", "md5": 5, "release_date": "d"}])")),
     Failure::Read, CatalogueReader::invalidCatalogueCode},
    {"VersionEntryNotAnObject", document(withVersions(R"(["2.0"])")), Failure::Read,
     CatalogueReader::invalidCatalogueCode},
    {"LotNotAnArray",
     document(withVersions("[" + aVersion + "]", R"([{"lot": "Alpha", "versions": ["2.0"]}])")),
     Failure::Read, CatalogueReader::invalidCatalogueCode},
    {"VersionNameANumber",
     document(withVersions("[" + aVersion + "]", R"([{"lot": ["Alpha"], "versions": [2.0]}])")),
     Failure::Read, CatalogueReader::invalidCatalogueCode},
    {"NullWhereAStringBelongs",
     document(
         withVersions(R"([{"name": null, "filename": "a.dfu", "md5": "m", "release_date": "d"}])")),
     Failure::Read, CatalogueReader::invalidCatalogueCode},
    {"DeeplyNested", document(QByteArray(100'000, '[') + QByteArray(100'000, ']')), Failure::Read,
     CatalogueReader::notAnObjectCode},
    // The transfer itself breaks.
    {"ConnectionDroppedMidDocument",
     {.body = withVersions("[" + aVersion + "]"), .closeAfterBytes = 20},
     Failure::Retrieve,
     QNetworkReply::RemoteHostClosedError},
    {"BodyOverSixteenMiB", document(QByteArray(16 * 1024 * 1024 + 1, ' ')), Failure::Retrieve,
     CatalogueFetcher::tooLargeCode},
    // Plain http stays between loopback addresses.
    {"RedirectToPlainHttpOnAnotherHost",
     {.status = 302,
      .headers = {{"Location", "http://firmware.invalid/updater/firmwareList.json"}}},
     Failure::Retrieve,
     CatalogueFetcher::redirectRefusedCode},
};

class CatalogueFaultMatrix : public WizardTest, public ::testing::WithParamInterface<CatalogueFault>
{
};

TEST_P(CatalogueFaultMatrix, AlertsThenEndsTheApplication)
{
    const CatalogueFault& fault = GetParam();
    server.setResponse(cataloguePath(), fault.response);
    wizard.launch();
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the end"), [this] { return wizard.quits(); }));

    const char* key = fault.failure == Failure::Retrieve ? "Error_CouldNotRetrieveFirmwareList"
                                                         : "Error_CouldNotReadFirmwareList";
    EXPECT_EQ(wizard.alertText(), localizedString(key) + QStringLiteral(" (%1)").arg(fault.code));
    EXPECT_EQ(wizard.alerts().alerts().value(0).code, VeltError::catalogueCode);
    EXPECT_EQ(wizard.quits(), 1);
    EXPECT_EQ(wizard.pageName(), "IntroPage");
    EXPECT_FALSE(wizard.control<QWidget>("nextButton")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueFaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velt::test
