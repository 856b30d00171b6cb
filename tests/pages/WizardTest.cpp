#include "pages/Wizard.h"

#include "app/AppDelegate.h"
#include "app/ContentManagerViewController.h"
#include "app/MainWindow.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"
#include "core/Localization.h"
#include "kit/Storyboard.h"
#include "pages/IntroViewController.h"
#include "pages/SelectModelViewController.h"
#include "pages/SelectVersionViewController.h"
#include "pages/UpdateProgressViewController.h"
#include "support/AlertRecorder.h"
#include "support/TestHttpServer.h"
#include "update/FirmwareDownload.h"
#include "update/FlashingStage.h"
#include "update/Md5.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

namespace velt {
namespace {

using test::AlertRecorder;
using test::HttpResponse;
using test::TestHttpServer;

const QString cataloguePath = QStringLiteral("/updater/firmwareList.json");

// Alpha has three versions, Solo one, Empty none (its second record is never consulted),
// Broken lists a newest version the catalogue does not have.
const QByteArray catalogue = R"({
  "version": [
    {"name": "1.0", "filename": "a-1.0.dfu", "md5": "0123456789abcdef0123456789abcdef", "release_date": "2024-01-01"},
    {"name": "1.1", "filename": "a-1.1.dfu", "md5": "0123456789abcdef0123456789abcdef", "release_date": "2024-06-01"},
    {"name": "2.0", "filename": "a-2.0.dfu", "md5": "0123456789abcdef0123456789abcdef", "release_date": "2025-02-03"},
    {"name": "3.0", "filename": "s-3.0.dfu", "md5": "0123456789abcdef0123456789abcdef", "release_date": "2025-05-05"},
    {"name": "4.0", "filename": "b-4.0.dfu", "md5": "0123456789abcdef0123456789abcdef", "release_date": "2025-07-07"}
  ],
  "compatibility": [
    {"lot": ["Alpha"], "versions": ["1.0", "1.1", "2.0"]},
    {"lot": ["Solo"], "versions": ["3.0"]},
    {"lot": ["Empty"], "versions": []},
    {"lot": ["Broken"], "versions": ["4.0", "9.9"]},
    {"lot": ["Empty"], "versions": ["1.0"]}
  ]
})";

HttpResponse json(const QByteArray& body, int status = 200)
{
    HttpResponse response;
    response.status = status;
    response.body = body;
    response.contentType = "application/json";
    return response;
}

void pick(QComboBox* selector, int index)
{
    // What a user's pick does: the box changes, then it sends its action.
    selector->setCurrentIndex(index);
    emit selector->activated(index);
}

QStringList items(const QComboBox* selector)
{
    QStringList texts;
    for (int i = 0; i < selector->count(); ++i)
        texts.append(selector->itemText(i));
    return texts;
}

class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerWizardClasses();
        // The page's own endings are tested on their own; UpdateStagesTest runs the stages.
        UpdateProgressViewController::setStartsOnAppearanceForTesting(false);
        ASSERT_TRUE(m_english.load(QStringLiteral(":/i18n/velt_en")));
        QCoreApplication::installTranslator(&m_english);
        resetFirmwareList();
        resetTargetFirmware();
        m_server.setResponse(cataloguePath, json(catalogue));
        setFirmwareServer(m_server.origin());
        m_storyboard = wizardStoryboard();
        ASSERT_TRUE(m_storyboard);
        m_delegate.setQuitAction([this] { ++m_quits; });
    }

    void TearDown() override
    {
        QCoreApplication::removeTranslator(&m_english);
        UpdateProgressViewController::setStartsOnAppearanceForTesting(true);
    }

    template <class Page> std::shared_ptr<Page> instantiate(const char* identifier)
    {
        return std::dynamic_pointer_cast<Page>(
            m_storyboard->instantiateController(QString::fromLatin1(identifier)));
    }

    // The whole window, launched as the program does.
    void launch()
    {
        m_window = std::make_unique<MainWindow>(m_storyboard);
        ASSERT_TRUE(m_window->rootController());
        m_window->show();
        m_delegate.applicationDidFinishLaunching();
    }

    Controller* onScreen() const { return m_window->currentPage(); }
    QString onScreenIdentifier() const { return onScreen() ? onScreen()->identifier() : QString(); }
    template <class T> T* control(const char* name) const
    {
        return onScreen()->view()->findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name) { control<QAbstractButton>(name)->click(); }

    // From start-up to the update page, choosing Alpha and its newest version.
    void walkToUpdatePage()
    {
        launch();
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return control<QWidget>("nextButton")->isEnabled(); }));
        // Return works on the first page although nothing in it has the focus.
        QTest::keyClick(m_window.get(), Qt::Key_Return);
        ASSERT_EQ(onScreenIdentifier(), "selectModel");
        EXPECT_EQ(control<QComboBox>("selector")->accessibleName(), "Device model");
        pick(control<QComboBox>("selector"), 0);
        click("nextButton");
        ASSERT_EQ(onScreenIdentifier(), "selectVersion");
        click("nextButton");
        ASSERT_EQ(onScreenIdentifier(), "dfuSetup");
        click("nextButton");
        ASSERT_EQ(onScreenIdentifier(), "updateProgress");
    }

    QTranslator m_english;
    TestHttpServer m_server;
    AlertRecorder m_alerts;
    std::shared_ptr<Storyboard> m_storyboard;
    AppDelegate m_delegate;
    int m_quits = 0;
    std::unique_ptr<MainWindow> m_window;
};

TEST_F(WizardTest, ModelPageListsEveryModelWithNothingPickedAndNextDisabled)
{
    ASSERT_EQ(firmwareList().load(), std::nullopt);
    auto page = instantiate<SelectModelViewController>("selectModel");
    ASSERT_TRUE(page);
    EXPECT_EQ(items(page->selector()), QStringList({"Alpha", "Broken", "Empty", "Solo"}));
    EXPECT_EQ(page->selector()->currentIndex(), -1);
    EXPECT_FALSE(page->nextButton()->isEnabled());
    EXPECT_EQ(page->errorTextArea()->toPlainText(), "");

    // An action while the box shows nothing changes nothing.
    page->sourceSelected(page->selector());
    EXPECT_FALSE(page->nextButton()->isEnabled());
    EXPECT_EQ(targetFirmware().lotName, "");
}

TEST_F(WizardTest, ModelPageCountsVersionsAndOnlyRecordsAModelThatHasSome)
{
    ASSERT_EQ(firmwareList().load(), std::nullopt);
    auto page = instantiate<SelectModelViewController>("selectModel");
    QComboBox* selector = page->selector();

    pick(selector, selector->findText("Alpha"));
    EXPECT_EQ(page->errorTextArea()->toPlainText(),
              "Firmware versions available for this model: 3");
    EXPECT_TRUE(page->nextButton()->isEnabled());
    EXPECT_EQ(targetFirmware().lotName, "Alpha");

    // The first record naming Empty lists nothing; the area shows the error alone.
    pick(selector, selector->findText("Empty"));
    EXPECT_EQ(page->errorTextArea()->toPlainText(), "No firmware is available for this model.");
    EXPECT_FALSE(page->nextButton()->isEnabled());
    EXPECT_EQ(targetFirmware().lotName, "Alpha");
}

TEST_F(WizardTest, ModelPageOfACatalogueWithoutModelsOffersNothing)
{
    m_server.setResponse(cataloguePath, json(R"({"version": [], "compatibility": []})"));
    ASSERT_EQ(firmwareList().load(), std::nullopt);
    auto page = instantiate<SelectModelViewController>("selectModel");
    EXPECT_EQ(page->selector()->count(), 0);
    EXPECT_FALSE(page->nextButton()->isEnabled());
}

TEST_F(WizardTest, VersionPageMarksOriginalAndNewestAndOpensWithTheNewestChosen)
{
    ASSERT_EQ(firmwareList().load(), std::nullopt);
    targetFirmware().lotName = QStringLiteral("Alpha");
    auto page = instantiate<SelectVersionViewController>("selectVersion");
    ASSERT_TRUE(page);
    EXPECT_EQ(items(page->selector()), QStringList({"1.0 (original)", "1.1", "2.0 (newest)"}));
    EXPECT_EQ(page->selector()->currentIndex(), 2);
    EXPECT_EQ(page->infoTextArea()->toPlainText(), "Release date: 2025-02-03");
    EXPECT_TRUE(page->nextButton()->isEnabled());
    ASSERT_TRUE(targetFirmware().firmwareVersion);
    EXPECT_EQ(targetFirmware().firmwareVersion, firmwareList().version("2.0"));

    pick(page->selector(), 0);
    EXPECT_EQ(page->infoTextArea()->toPlainText(), "Release date: 2024-01-01");
    EXPECT_EQ(targetFirmware().firmwareVersion->name, "1.0");
}

TEST_F(WizardTest, VersionPageEdgeCasesOfTheList)
{
    ASSERT_EQ(firmwareList().load(), std::nullopt);

    targetFirmware().lotName = QStringLiteral("Solo");
    auto solo = instantiate<SelectVersionViewController>("selectVersion");
    EXPECT_EQ(items(solo->selector()), QStringList({"3.0 (original)"}));
    EXPECT_EQ(targetFirmware().firmwareVersion->name, "3.0");

    // The newest entry is missing from the catalogue: nothing chosen until a valid pick.
    resetTargetFirmware();
    targetFirmware().lotName = QStringLiteral("Broken");
    auto broken = instantiate<SelectVersionViewController>("selectVersion");
    EXPECT_EQ(broken->infoTextArea()->toPlainText(),
              "This version is listed for the model but is missing from the firmware list. "
              "Choose another version.");
    EXPECT_FALSE(broken->nextButton()->isEnabled());
    EXPECT_FALSE(targetFirmware().firmwareVersion);
    pick(broken->selector(), 0);
    EXPECT_EQ(broken->infoTextArea()->toPlainText(), "Release date: 2025-07-07");
    EXPECT_TRUE(broken->nextButton()->isEnabled());

    // A model without versions: no items, and Next keeps the layout's state.
    targetFirmware().lotName = QStringLiteral("Empty");
    auto empty = instantiate<SelectVersionViewController>("selectVersion");
    EXPECT_EQ(empty->selector()->count(), 0);
    EXPECT_EQ(empty->selector()->currentIndex(), -1);
    EXPECT_FALSE(empty->nextButton()->isEnabled());
    EXPECT_EQ(empty->infoTextArea()->toPlainText(), "");
}

TEST_F(WizardTest, UpdatePageStartsWithItsCaptionAnEmptyStatusNoProgressAndNoButton)
{
    auto page = instantiate<UpdateProgressViewController>("updateProgress");
    EXPECT_EQ(page->versionInfoLabel()->text(), "Firmware version: ?");
    EXPECT_EQ(page->infoTextArea()->toPlainText(), "");
    EXPECT_EQ(page->progressIndicator()->value(), 0);
    EXPECT_TRUE(page->button()->isHidden());

    auto version = std::make_shared<FirmwareVersion>();
    version->name = QStringLiteral("1.2.3");
    targetFirmware().firmwareVersion = version;
    page = instantiate<UpdateProgressViewController>("updateProgress");
    EXPECT_EQ(page->versionInfoLabel()->text(), "Firmware version: 1.2.3");
}

TEST_F(WizardTest, IntroPageEndsTheApplicationWhenTheServerIsDown)
{
    setFirmwareServer(std::make_unique<TestHttpServer>()->origin()); // nobody listens there
    launch();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_quits > 0; }, 30000));
    EXPECT_EQ(m_quits, 1);
    EXPECT_EQ(m_alerts.alerts().size(), 1);
    EXPECT_FALSE(control<QWidget>("nextButton")->isEnabled());
}

TEST_F(WizardTest, WalkForwardToTheUpdatePageAndBackToTheStart)
{
    walkToUpdatePage();
    EXPECT_EQ(control<QLabel>("versionInfoLabel")->text(), "Firmware version: 2.0");
    EXPECT_EQ(m_window->contentManager()->viewControllerStack().size(), 5);

    static_cast<UpdateProgressViewController*>(onScreen())->goBack();
    EXPECT_EQ(onScreenIdentifier(), "dfuSetup");
    click("backButton");
    EXPECT_EQ(onScreenIdentifier(), "selectVersion");
    click("backButton");
    // The model page comes back as it was left.
    EXPECT_EQ(onScreenIdentifier(), "selectModel");
    EXPECT_EQ(control<QComboBox>("selector")->currentText(), "Alpha");
    EXPECT_TRUE(control<QWidget>("nextButton")->isEnabled());

    // Back on the first page the catalogue is fetched again; now the server fails.
    m_server.setResponse(cataloguePath, json("", 500));
    click("backButton");
    EXPECT_EQ(onScreenIdentifier(), "intro");
    EXPECT_EQ(m_window->contentManager()->viewControllerStack().size(), 1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_quits > 0; }, 30000));
    EXPECT_EQ(m_server.requestedPaths().count(cataloguePath), 2);
    EXPECT_EQ(m_alerts.alerts().size(), 1);
}

TEST_F(WizardTest, UpdatePageFailureShowsTheAlertAndGoesBackOnceForTwoReports)
{
    walkToUpdatePage();
    const ControllerPtr pageRef = onScreen()->sharedFromThis();
    auto* page = static_cast<UpdateProgressViewController*>(pageRef.get());

    page->showError(VeltError::withDescription(VeltError::updateCode, "first"));
    page->showError(VeltError::withDescription(VeltError::updateCode, "second"));
    EXPECT_EQ(onScreenIdentifier(), "updateProgress"); // nothing happens before the loop runs
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_alerts.alerts().size() == 2; }));
    EXPECT_EQ(m_alerts.texts(), QStringList({"first", "second"}));
    EXPECT_EQ(page->infoTextArea()->toPlainText(), "The update failed.");
    EXPECT_EQ(onScreenIdentifier(), "dfuSetup");
    EXPECT_EQ(m_window->contentManager()->viewControllerStack().size(), 4);
    EXPECT_EQ(m_quits, 0);
}

TEST_F(WizardTest, UpdatePageSuccessOffersFinishOnReturnWhichEndsTheApplication)
{
    walkToUpdatePage();
    auto* page = static_cast<UpdateProgressViewController*>(onScreen());
    page->showWriteSucceeded();
    EXPECT_TRUE(page->button()->isHidden());
    ASSERT_TRUE(QTest::qWaitFor([page] { return page->button()->isVisible(); }));
    EXPECT_TRUE(page->button()->isEnabled());
    EXPECT_EQ(page->button()->text(), "Finish");
    EXPECT_EQ(page->infoTextArea()->toPlainText(),
              "The firmware was updated successfully. You can now disconnect the device.");

    QTest::keyClick(page->progressIndicator(), Qt::Key_Return);
    EXPECT_EQ(m_quits, 1);
}

// The update page with its two stages: the image from the test's server, the flashing tool a
// script the test writes, which waits for the test's word before it reports its progress.
class UpdateStagesTest : public WizardTest
{
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        UpdateProgressViewController::setStartsOnAppearanceForTesting(true);
        UpdateProgressViewController::setHandoverDelayForTesting(200);
        ASSERT_TRUE(m_folder.isValid());
        FirmwareDownload::setDocumentsFolderForTesting(m_folder.filePath("Documents"));
        const QString tool = m_folder.filePath("dfu-util");
        QFile script(tool);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n"
                                    "echo \"$@\" > %1/arguments\n"
                                    "while [ ! -e %1/go ]; do sleep 0.02; done\n"
                                    "echo '[i] Downloading firmware - 512 of 1024'\n"
                                    "echo '[i] Downloading firmware - 1024 of 1024'\n")
                         .arg(m_folder.path())
                         .toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        FlashingStage::setToolPathForTesting(tool);
    }

    void TearDown() override
    {
        QFile(m_folder.filePath("go")).open(QIODevice::WriteOnly); // never leave the tool waiting
        FlashingStage::setToolPathForTesting({});
        FirmwareDownload::setDocumentsFolderForTesting({});
        UpdateProgressViewController::setHandoverDelayForTesting(-1);
        WizardTest::TearDown();
    }

    // Serves the newest Alpha image, listed in the catalogue with the given digest.
    void serveImage(const QByteArray& image, const QString& digest)
    {
        QByteArray listed = catalogue;
        const QByteArray entry = R"("a-2.0.dfu", "md5": "0123456789abcdef0123456789abcdef")";
        listed.replace(entry, R"("a-2.0.dfu", "md5": ")" + digest.toLatin1() + '"');
        m_server.setResponse(cataloguePath, json(listed));
        HttpResponse response;
        response.body = image;
        m_server.setResponse("/updater/dfu/a-2.0.dfu", response);
    }

    bool toolStarted() const { return QFile::exists(m_folder.filePath("arguments")); }
    void letToolGoOn() { QFile(m_folder.filePath("go")).open(QIODevice::WriteOnly); }

    QTemporaryDir m_folder;
};

TEST_F(UpdateStagesTest, DownloadVerifyAndFlashWithTheQuitGuardUpOnlyWhileTheToolRuns)
{
    const QByteArray image(4096, '\x5a');
    serveImage(image, md5(image));
    walkToUpdatePage();
    auto* page = static_cast<UpdateProgressViewController*>(onScreen());

    ASSERT_TRUE(QTest::qWaitFor(
        [page] { return page->infoTextArea()->toPlainText().startsWith("Firmware verified"); }));
    // Verified and stored; the tool waits for the hand-over delay.
    EXPECT_FALSE(toolStarted());
    EXPECT_EQ(page->progressIndicator()->value(), 0);
    EXPECT_EQ(page->progressIndicator()->maximum(), image.size());
    QFile stored(FirmwareDownload::firmwareFilePath());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), image);
    EXPECT_EQ(page->buffer(), image);
    EXPECT_EQ(m_delegate.applicationShouldTerminate(), AppDelegate::TerminateNow);

    ASSERT_TRUE(QTest::qWaitFor([this] { return toolStarted(); }));
    // While the tool runs nothing ends the application or closes its window.
    EXPECT_EQ(m_delegate.applicationShouldTerminate(), AppDelegate::TerminateCancel);
    EXPECT_FALSE(m_window->close());
    EXPECT_FALSE(m_delegate.terminate());
    EXPECT_EQ(m_quits, 0);
    EXPECT_TRUE(page->button()->isHidden());

    letToolGoOn();
    ASSERT_TRUE(QTest::qWaitFor([page] { return page->button()->isVisible(); }));
    EXPECT_EQ(page->progressIndicator()->value(), 1024);
    EXPECT_EQ(page->infoTextArea()->toPlainText(),
              "The firmware was updated successfully. You can now disconnect the device.");
    QFile arguments(m_folder.filePath("arguments"));
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(arguments.readAll().trimmed(),
              ("0a12 ffff " + FirmwareDownload::firmwareFilePath()).toUtf8());
    EXPECT_EQ(m_delegate.applicationShouldTerminate(), AppDelegate::TerminateNow);
    EXPECT_TRUE(m_alerts.alerts().isEmpty());

    page->button()->click();
    EXPECT_EQ(m_quits, 1);
}

TEST_F(UpdateStagesTest, ADigestMismatchGoesBackWithoutStartingTheTool)
{
    const QByteArray image(4096, '\x5a');
    serveImage(image, md5(image).toUpper());
    walkToUpdatePage();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_alerts.alerts().isEmpty(); }));
    EXPECT_EQ(m_alerts.texts(), QStringList{localizedString("Error_FileHashDoesNotMatch")});
    EXPECT_EQ(onScreenIdentifier(), "dfuSetup");
    QTest::qWait(400); // longer than the hand-over delay
    EXPECT_FALSE(toolStarted());
}

} // namespace
} // namespace velt
