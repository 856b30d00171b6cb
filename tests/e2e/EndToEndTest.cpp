// The whole application at once: the window as the program builds it, the demo catalogue and
// images from a server on 127.0.0.1, the real flashing tool from the build's resource folder
// talking to its simulated device, and the image written into a Documents folder under a home
// of the test's own.
#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"
#include "core/Localization.h"
#include "core/Resources.h"
#include "pages/UpdateProgressViewController.h"
#include "pages/Wizard.h"
#include "support/AlertRecorder.h"
#include "support/TestHttpServer.h"
#include "update/FirmwareDownload.h"
#include "update/Md5.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>
#include <optional>

namespace velt {
namespace {

using test::AlertRecorder;
using test::HttpResponse;
using test::TestHttpServer;

constexpr int updateTimeoutMs = 30000;
// What the walk picks: the demo's first model and its newest version.
const QString model = QStringLiteral("Velt One");
const QString imageName = QStringLiteral("velt-one-1.2.0.dfu");
constexpr int dfuSuffixLength = 16;

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Sets an environment variable for the test's lifetime and puts the old value back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_old;
};

class EndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        registerWizardClasses();
        ASSERT_TRUE(m_english.load(QStringLiteral(":/i18n/velt_en")));
        QCoreApplication::installTranslator(&m_english);
        resetFirmwareList();
        resetTargetFirmware();

        const QDir demo(QStringLiteral(VELT_DEMO_DIR "/updater"));
        m_catalogue = readFile(demo.filePath(QStringLiteral("firmwareList.json")));
        ASSERT_FALSE(m_catalogue.isEmpty());
        serveCatalogue(m_catalogue);
        for (const QString& name :
             QDir(demo.filePath(QStringLiteral("dfu"))).entryList(QDir::Files)) {
            HttpResponse response;
            response.body = readFile(demo.filePath(QStringLiteral("dfu/") + name));
            m_server.setResponse(QStringLiteral("/updater/dfu/") + name, response);
        }
        m_image = readFile(demo.filePath(QStringLiteral("dfu/") + imageName));
        ASSERT_GT(m_image.size(), dfuSuffixLength);
        setFirmwareServer(m_server.origin());

        UpdateProgressViewController::setHandoverDelayForTesting(100);
        m_delegate.setQuitAction([this] { ++m_quits; });
    }

    void TearDown() override
    {
        UpdateProgressViewController::setHandoverDelayForTesting(-1);
        QCoreApplication::removeTranslator(&m_english);
    }

    void serveCatalogue(const QByteArray& body)
    {
        HttpResponse response;
        response.body = body;
        response.contentType = "application/json";
        m_server.setResponse(QStringLiteral("/updater/firmwareList.json"), response);
    }

    // The simulated device the tool will find: the given traits, plus a record of the runs it
    // has seen and of the bytes it received in the last one.
    void simulate(const QString& traits)
    {
        m_simulator.emplace("VELT_DFU_SIMULATOR", (traits + QStringLiteral(",state=") + runsFile() +
                                                   QStringLiteral(",save=") + receivedFile())
                                                      .toUtf8());
    }
    QString runsFile() const { return m_home.filePath(QStringLiteral("device-runs")); }
    QString receivedFile() const { return m_home.filePath(QStringLiteral("device-received")); }
    int toolRuns() const { return readFile(runsFile()).trimmed().toInt(); }

    Controller* onScreen() const { return m_window->currentPage(); }
    QString onScreenIdentifier() const { return onScreen() ? onScreen()->identifier() : QString(); }
    template <class T> T* control(const char* name) const
    {
        return onScreen()->view()->findChild<T*>(QString::fromLatin1(name));
    }
    UpdateProgressViewController* updatePage() const
    {
        return qobject_cast<UpdateProgressViewController*>(onScreen());
    }

    // Launched as the program does, then through the first four pages as a user goes.
    void walkToUpdatePage()
    {
        m_window = std::make_unique<MainWindow>(wizardStoryboard());
        ASSERT_TRUE(m_window->rootController());
        m_window->show();
        m_delegate.applicationDidFinishLaunching();
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return control<QWidget>("nextButton")->isEnabled(); }));
        control<QAbstractButton>("nextButton")->click();
        ASSERT_EQ(onScreenIdentifier(), "selectModel");
        auto* models = control<QComboBox>("selector");
        const int index = models->findText(model);
        ASSERT_GE(index, 0);
        models->setCurrentIndex(index);
        emit models->activated(index);
        control<QAbstractButton>("nextButton")->click();
        ASSERT_EQ(onScreenIdentifier(), "selectVersion");
        control<QAbstractButton>("nextButton")->click();
        ASSERT_EQ(onScreenIdentifier(), "dfuSetup");
        control<QAbstractButton>("nextButton")->click();
        ASSERT_EQ(onScreenIdentifier(), "updateProgress");
    }

    bool waitForSuccess()
    {
        return QTest::qWaitFor(
            [this] { return updatePage() && updatePage()->button()->isVisible(); },
            updateTimeoutMs);
    }
    bool waitForAlert()
    {
        return QTest::qWaitFor([this] { return !m_alerts.alerts().isEmpty(); }, updateTimeoutMs);
    }

    QTemporaryDir m_home;
    // Documents resolves under the test's home, whatever the user's folder settings say.
    ScopedEnvironment m_homeVariable{"HOME", m_home.path().toUtf8()};
    ScopedEnvironment m_configVariable{"XDG_CONFIG_HOME", QByteArray()};
    std::optional<ScopedEnvironment> m_simulator;
    QTranslator m_english;
    TestHttpServer m_server;
    AlertRecorder m_alerts;
    AppDelegate m_delegate;
    int m_quits = 0;
    std::unique_ptr<MainWindow> m_window;
    QByteArray m_catalogue;
    QByteArray m_image;
};

TEST_F(EndToEndTest, UpdateSucceedsAndFinishEndsTheApplication)
{
    // The program's own resource folder carries the tool the page runs.
    EXPECT_EQ(resourcePath(QStringLiteral("dfu-util")), QStringLiteral(VELT_TOOL_PATH));
    simulate(QStringLiteral("1"));
    walkToUpdatePage();
    ASSERT_TRUE(waitForSuccess()) << updatePage()->infoTextArea()->toPlainText().toStdString();

    auto* page = updatePage();
    EXPECT_TRUE(m_alerts.alerts().isEmpty());
    EXPECT_EQ(page->infoTextArea()->toPlainText(),
              "The firmware was updated successfully. You can now disconnect the device.");
    EXPECT_EQ(page->progressIndicator()->value(), m_image.size() - dfuSuffixLength);
    EXPECT_EQ(page->progressIndicator()->maximum(), m_image.size() - dfuSuffixLength);

    const QString stored = QDir(m_home.path()).filePath("Documents/veltFirmwareUpdate.dfu");
    EXPECT_EQ(FirmwareDownload::firmwareFilePath(), stored);
    EXPECT_TRUE(readFile(stored) == m_image);
    EXPECT_EQ(toolRuns(), 1);
    EXPECT_TRUE(readFile(receivedFile()) == m_image.chopped(dfuSuffixLength));

    EXPECT_EQ(m_quits, 0);
    page->button()->click();
    EXPECT_EQ(m_quits, 1);
}

TEST_F(EndToEndTest, DigestMismatchGoesBackWithoutRunningTheTool)
{
    // The catalogue lists another image's digest for the chosen one.
    const QByteArray listed = md5(m_image).toLatin1();
    const QByteArray other =
        md5(readFile(QStringLiteral(VELT_DEMO_DIR "/updater/dfu/velt-one-1.1.0.dfu"))).toLatin1();
    ASSERT_TRUE(m_catalogue.contains(listed));
    serveCatalogue(QByteArray(m_catalogue).replace(listed, other));
    simulate(QStringLiteral("1"));
    walkToUpdatePage();

    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(m_alerts.texts(), QStringList{localizedString("Error_FileHashDoesNotMatch")});
    EXPECT_EQ(onScreenIdentifier(), "dfuSetup");
    QTest::qWait(400); // well past the hand-over delay
    EXPECT_FALSE(QFile::exists(runsFile()));
    EXPECT_EQ(m_quits, 0);
}

TEST_F(EndToEndTest, NoDeviceInDfuModeAlertsAndGoesBack)
{
    simulate(QStringLiteral("absent"));
    walkToUpdatePage();

    ASSERT_TRUE(waitForAlert());
    EXPECT_EQ(m_alerts.texts(), QStringList{localizedString("Description_DFUMode")});
    EXPECT_EQ(onScreenIdentifier(), "dfuSetup");
    EXPECT_EQ(toolRuns(), 1);
    // The guard is down again: the user may leave.
    EXPECT_EQ(m_delegate.applicationShouldTerminate(), AppDelegate::TerminateNow);
}

TEST_F(EndToEndTest, StatusFailuresBeforeTheFirstBlockAreRetriedUntilTheWriteSucceeds)
{
    simulate(QStringLiteral("failing-runs=2"));
    walkToUpdatePage();

    ASSERT_TRUE(waitForSuccess()) << m_alerts.texts().join('\n').toStdString();
    EXPECT_TRUE(m_alerts.alerts().isEmpty());
    EXPECT_EQ(toolRuns(), 3);
    EXPECT_TRUE(readFile(receivedFile()) == m_image.chopped(dfuSuffixLength));
}

TEST_F(EndToEndTest, QuitAndCloseAreRefusedOnlyWhileTheToolRuns)
{
    // A device slow enough (about 1.3 s) to be caught in the middle of the write.
    simulate(QStringLiteral("poll-ms=20"));
    walkToUpdatePage();
    auto* page = updatePage();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return m_delegate.disableQuitApp() && page->progressIndicator()->value() > 0; },
        updateTimeoutMs));

    EXPECT_EQ(m_delegate.applicationShouldTerminate(), AppDelegate::TerminateCancel);
    EXPECT_FALSE(m_delegate.terminate());
    EXPECT_FALSE(m_window->close());
    EXPECT_TRUE(m_window->isVisible());
    // The device records what it received when the run ends: it had not ended yet.
    EXPECT_FALSE(QFile::exists(receivedFile()));
    EXPECT_EQ(m_quits, 0);

    ASSERT_TRUE(waitForSuccess());
    EXPECT_EQ(m_delegate.applicationShouldTerminate(), AppDelegate::TerminateNow);
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(m_quits, 1);
}

} // namespace
} // namespace velt
