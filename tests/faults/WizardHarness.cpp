#include "WizardHarness.h"

#include "app/ContentManagerViewController.h"
#include "catalogue/FirmwareList.h"
#include "catalogue/FirmwareServer.h"
#include "catalogue/TargetFirmware.h"
#include "kit/Storyboard.h"
#include "pages/UpdateProgressViewController.h"
#include "pages/Wizard.h"
#include "update/FirmwareDownload.h"
#include "update/Md5.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace velt::test {

void WizardHarness::SetUp()
{
    ASSERT_TRUE(m_folder.isValid());
    registerWizardClasses();
    ASSERT_TRUE(m_english.load(QStringLiteral(":/i18n/velt_en")));
    QCoreApplication::installTranslator(&m_english);
    resetFirmwareList();
    resetTargetFirmware();
    setFirmwareServer(m_server.origin());
    FirmwareDownload::setDocumentsFolderForTesting(m_folder.filePath(QStringLiteral("Documents")));
    UpdateProgressViewController::setHandoverDelayForTesting(50);
    m_storyboard = wizardStoryboard();
    ASSERT_TRUE(m_storyboard);
    m_delegate.setQuitAction([this] { ++m_quits; });
}

void WizardHarness::TearDown()
{
    m_window.reset();
    UpdateProgressViewController::setHandoverDelayForTesting(-1);
    FirmwareDownload::setDocumentsFolderForTesting({});
    FirmwareDownload::setTransferTimeoutForTesting(0);
    QCoreApplication::removeTranslator(&m_english);
}

QByteArray WizardHarness::catalogue(const QString& digest)
{
    return R"({
  "version": [
    {"name": "2.0", "filename": "a-2.0.dfu", "md5": ")" +
           digest.toLatin1() + R"(", "release_date": "2025-02-03"}
  ],
  "compatibility": [{"lot": ["Alpha"], "versions": ["2.0"]}]
})";
}

void WizardHarness::serveImage(const QByteArray& image)
{
    HttpResponse list;
    list.body = catalogue(md5(image));
    list.contentType = "application/json";
    m_server.setResponse(cataloguePath(), list);
    HttpResponse response;
    response.body = image;
    m_server.setResponse(imagePath(), response);
}

void WizardHarness::launch()
{
    m_window = std::make_unique<MainWindow>(m_storyboard);
    ASSERT_TRUE(m_window->rootController());
    m_window->show();
    m_delegate.applicationDidFinishLaunching();
}

void WizardHarness::walkToDfuSetup()
{
    launch();
    ASSERT_TRUE(waitUntil([this] {
        auto* next = control<QWidget>("nextButton");
        return (next && next->isEnabled()) || m_quits > 0;
    }));
    ASSERT_EQ(m_quits, 0) << m_alerts.texts().join('\n').toStdString();
    control<QAbstractButton>("nextButton")->click();
    ASSERT_EQ(onScreenIdentifier(), "selectModel");
    auto* models = control<QComboBox>("selector");
    ASSERT_EQ(models->count(), 1);
    models->setCurrentIndex(0);
    emit models->activated(0);
    control<QAbstractButton>("nextButton")->click();
    ASSERT_EQ(onScreenIdentifier(), "selectVersion");
    control<QAbstractButton>("nextButton")->click();
    ASSERT_EQ(onScreenIdentifier(), "dfuSetup");
}

void WizardHarness::enterUpdatePage()
{
    control<QAbstractButton>("nextButton")->click();
    ASSERT_EQ(onScreenIdentifier(), "updateProgress");
}

QString WizardHarness::onScreenIdentifier() const
{
    return onScreen() ? onScreen()->identifier() : QString();
}

UpdateProgressViewController* WizardHarness::updatePage() const
{
    return qobject_cast<UpdateProgressViewController*>(onScreen());
}

int WizardHarness::stackSize() const
{
    return int(m_window->contentManager()->viewControllerStack().size());
}

bool WizardHarness::waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    check.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

bool WizardHarness::waitForAlert(int timeoutMs)
{
    return waitUntil([this] { return !m_alerts.alerts().isEmpty(); }, timeoutMs);
}

bool WizardHarness::quitGuardDown() const
{
    return !m_delegate.disableQuitApp() &&
           m_delegate.applicationShouldTerminate() == AppDelegate::TerminateNow;
}

QString WizardHarness::firmwareFile() const
{
    return FirmwareDownload::firmwareFilePath();
}

QByteArray WizardHarness::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WizardHarness::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

} // namespace velt::test
