// SPDX-License-Identifier: Apache-2.0
// The pages as a user meets them in the window: the walk there and back and the lists.
#include "app/MainWindow.h"
#include "app/PageStack.h"
#include "core/Localization.h"
#include "support/WizardTest.h"
#include "update/UpdateSession.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace velt::test {
namespace {

// Alpha has three versions (the newest named in markup, which must show as typed), Empty none
// (its second record is never consulted), Broken lists a newest version the catalogue lacks.
const QByteArray catalogue = R"({
  "version": [
    {"name": "1.0", "filename": "a-1.0.dfu", "md5": "m", "release_date": "2024-01-01"},
    {"name": "1.1", "filename": "a-1.1.dfu", "md5": "m", "release_date": "2024-06-01"},
    {"name": "<b>2.0</b>", "filename": "a-2.0.dfu", "md5": "m", "release_date": "<i>2025</i>"},
    {"name": "4.0", "filename": "b-4.0.dfu", "md5": "m", "release_date": "2025-07-07"}
  ],
  "compatibility": [
    {"lot": ["Alpha"], "versions": ["1.0", "1.1", "<b>2.0</b>"]},
    {"lot": ["Empty"], "versions": []},
    {"lot": ["Broken"], "versions": ["4.0", "9.9"]},
    {"lot": ["Empty"], "versions": ["1.0"]}
  ]
})";

QStringList items(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; list && i < list->count(); ++i)
        texts.append(list->itemText(i));
    return texts;
}

class PagesTest : public WizardTest
{
protected:
    PagesTest() { server.setResponse(cataloguePath(), {.body = catalogue}); }

    bool nextEnabled() const { return wizard.control<QWidget>("nextButton")->isEnabled(); }
};

TEST_F(PagesTest, ListsShowTheCatalogueAsPlainTextAndTwoFailuresGoBackOnce)
{
    server.setResponse(QStringLiteral("/updater/dfu/a-2.0.dfu"), {.stallMs = 10'000});
    ASSERT_STEP(wizard.walkTo(QStringLiteral("SelectModelPage")));
    auto* models = wizard.control<QComboBox>("selector");
    EXPECT_EQ(items(models), QStringList({"Alpha", "Broken", "Empty"}));
    EXPECT_EQ(models->currentIndex(), -1);
    EXPECT_FALSE(nextEnabled());
    ASSERT_STEP(wizard.pick(QStringLiteral("Empty")));
    EXPECT_EQ(wizard.text("errorTextArea"), "No firmware is available for this model.");
    EXPECT_FALSE(nextEnabled());

    ASSERT_STEP(wizard.pick(QStringLiteral("Alpha")));
    EXPECT_EQ(wizard.text("errorTextArea"), "Firmware versions available for this model: 3");
    ASSERT_STEP(wizard.click("nextButton"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("SelectVersionPage")));
    auto* versions = wizard.control<QComboBox>("selector");
    EXPECT_EQ(items(versions), QStringList({"1.0 (original)", "1.1", "<b>2.0</b> (newest)"}));
    EXPECT_EQ(versions->currentIndex(), 2);
    EXPECT_EQ(wizard.text("infoTextArea"), "Release date: <i>2025</i>");
    ASSERT_STEP(wizard.pickIndex(0));
    EXPECT_EQ(wizard.text("infoTextArea"), "Release date: 2024-01-01");
    ASSERT_STEP(wizard.pickIndex(2));

    ASSERT_STEP(wizard.click("nextButton"));
    ASSERT_STEP(wizard.click("nextButton"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("UpdateProgressPage")));
    auto* caption = wizard.control<QLabel>("versionInfoLabel");
    EXPECT_EQ(caption->text(), "Firmware version: <b>2.0</b>");
    EXPECT_EQ(caption->textFormat(), Qt::PlainText);

    // Two failures in quick succession go back once.
    const QPointer<UpdateSession> session = wizard.page()->findChild<UpdateSession*>();
    ASSERT_TRUE(session) << "the update page holds no session";
    emit session->failed(VeltError::withDescription(VeltError::updateCode, "first"));
    if (session)
        emit session->failed(VeltError::withDescription(VeltError::updateCode, "second"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("DFUSetupPage")));
    QTest::qWait(100); // nothing more happens: still the DFU setup page
    EXPECT_EQ(wizard.window()->pageStack()->count(), 4);
    EXPECT_EQ(wizard.alerts().value(0).localizedDescription, "first");
    EXPECT_EQ(wizard.quits(), 0);
}

TEST_F(PagesTest, AVersionMissingFromTheCatalogueIsNotChosenAndTheWalkBackFetchesAgain)
{
    ASSERT_STEP(wizard.walkTo(QStringLiteral("SelectVersionPage"), QStringLiteral("Broken")));
    EXPECT_EQ(wizard.text("infoTextArea"),
              "This version is listed for the model but is missing from the firmware list. "
              "Choose another version.");
    EXPECT_FALSE(nextEnabled());
    ASSERT_STEP(wizard.pickIndex(0));
    EXPECT_EQ(wizard.text("infoTextArea"), "Release date: 2025-07-07");
    EXPECT_TRUE(nextEnabled());

    // The model page comes back as it was left.
    ASSERT_STEP(wizard.click("backButton"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("SelectModelPage")));
    EXPECT_EQ(wizard.control<QComboBox>("selector")->currentText(), "Broken");
    EXPECT_TRUE(nextEnabled());
    // Back on the first page the catalogue is fetched again; now the server fails, which
    // ends the application after one alert.
    server.setResponse(cataloguePath(), {.status = 500});
    ASSERT_STEP(wizard.click("backButton"));
    ASSERT_STEP(wizard.waitForPage(QStringLiteral("IntroPage")));
    EXPECT_EQ(wizard.window()->pageStack()->count(), 1);
    ASSERT_STEP(wizard.waitUntil(QStringLiteral("the end"), [this] { return wizard.quits(); }));
    EXPECT_EQ(server.requestedPaths().count(cataloguePath()), 2);
    EXPECT_EQ(wizard.alerts().size(), 1);
    // An empty body is no JSON: the read failure, with the parser's code.
    EXPECT_EQ(wizard.alertText(), localizedString("Error_CouldNotReadFirmwareList") + " (101)");
}

// Closing the window while the first page waits for the catalogue quits the application, and
// quitting ends every event loop, the load's too: the unfinished transfer is a failure, not a
// document, and the application ends without an alert.
TEST_F(PagesTest, ClosingTheWindowDuringTheLoadEndsItWithoutAnAlert)
{
    server.setResponse(cataloguePath(), {.body = catalogue, .stallMs = 5000});
    wizard.delegate().setQuitAction([] { QCoreApplication::exit(0); });
    wizard.logLines(); // from now on
    wizard.launch();
    QTimer::singleShot(300, [this] { wizard.page()->window()->close(); });
    QCoreApplication::exec();
    EXPECT_EQ(
        wizard.logLines().filter("transfer was abandoned: the application is quitting").size(), 1);
    EXPECT_TRUE(wizard.alerts().isEmpty());
}

} // namespace
} // namespace velt::test
