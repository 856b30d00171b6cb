// SPDX-License-Identifier: Apache-2.0
// A catalogue that cannot be fetched or read, through the first page: one alert naming the
// failure and its code, then the application ends, and the wizard never gets past its first
// page. The catalogue's own tests go through every way a load fails.
#include "catalogue/CatalogueFetcher.h"
#include "core/Localization.h"
#include "support/WizardTest.h"

namespace velt::test {
namespace {

using test::PrintTo; // names the table rows in failure messages

struct CatalogueFault
{
    const char* name;
    HttpResponse response;
    const char* key;
    qint64 code;
};

const CatalogueFault faults[] = {
    // clang-format off
    {"HtmlErrorPage", {.status = 502, .body = "<html><body>502 Bad Gateway</body></html>"},
     "Error_CouldNotReadFirmwareList", 101},
    {"RedirectToPlainHttpOnAnotherHost",
     {.status = 302, .headers = {{"Location", "http://firmware.invalid/firmwareList.json"}}},
     "Error_CouldNotRetrieveFirmwareList", CatalogueFetcher::redirectRefusedCode},
    // clang-format on
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
    EXPECT_EQ(wizard.alertText(),
              localizedString(fault.key) + QStringLiteral(" (%1)").arg(fault.code));
    EXPECT_EQ(wizard.alerts().alerts().value(0).code, VeltError::catalogueCode);
    EXPECT_EQ(wizard.quits(), 1);
    EXPECT_EQ(wizard.pageName(), "IntroPage");
    EXPECT_FALSE(wizard.control<QWidget>("nextButton")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Catalogue, CatalogueFaultMatrix, ::testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velt::test
