// SPDX-License-Identifier: Apache-2.0
#include "app/MainWindow.h"

#include "app/AppDelegate.h"
#include "app/PageStack.h"
#include "catalogue/FirmwareVersion.h"
#include "catalogue/TargetFirmware.h"
#include "cli/LocalImage.h"
#include "core/Alert.h"
#include "core/Diagnostics.h"
#include "core/Localization.h"
#include "pages/DFUSetupInfoViewController.h"
#include "pages/IntroViewController.h"
#include "pages/LocalImageViewController.h"
#include "pages/SelectModelViewController.h"
#include "pages/SelectVersionViewController.h"
#include "pages/UpdateProgressViewController.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace velt {

MainWindow::MainWindow(UpdateSettings settings, QWidget* parent)
    : QMainWindow(parent), m_settings(std::move(settings)), m_stack(new PageStack(this))
{
    logContext(QStringLiteral("server: ") + m_settings.server);
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QApplication::applicationDisplayName());
    createMenus();
    // The pages are designed for one size; a resizable window would only add empty space.
    m_stack->setFixedSize(640, 520);
    setCentralWidget(m_stack);
    connect(m_stack, &PageStack::topPageChanged, this, &MainWindow::pageDidAppear);
    showIntroPage();
    adjustSize();
    setFixedSize(sizeHint());
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::showIntroPage()
{
    auto* page = new IntroViewController;
    connect(page, &IntroViewController::nextRequested, this, &MainWindow::showSelectModelPage);
    connect(page, &IntroViewController::quitRequested, this, &MainWindow::requestQuit);
    connect(page, &IntroViewController::catalogueLoaded, m_updateFromFile,
            [this] { m_updateFromFile->setVisible(true); });
    m_stack->push(page);
}

void MainWindow::showSelectModelPage()
{
    auto* page = new SelectModelViewController;
    connect(page, &SelectModelViewController::nextRequested, this,
            &MainWindow::showSelectVersionPage);
    connect(page, &SelectModelViewController::backRequested, m_stack,
            [this, page] { m_stack->pop(page); });
    m_stack->push(page);
}

void MainWindow::showSelectVersionPage()
{
    auto* page = new SelectVersionViewController;
    connect(page, &SelectVersionViewController::nextRequested, this,
            [this] { showDFUSetupPage(); });
    connect(page, &SelectVersionViewController::backRequested, m_stack,
            [this, page] { m_stack->pop(page); });
    m_stack->push(page);
}

void MainWindow::chooseImageFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, localizedString("Caption_MenuUpdateFromFile").remove(u'&'), QDir::homePath(),
        QStringLiteral("DFU (*.dfu);;* (*)"));
    if (!path.isEmpty())
        updateFromFile(path);
}

void MainWindow::updateFromFile(const QString& filePath)
{
    const LocalImage image =
        LocalImage::copyAndCheck(filePath, UpdateSession::firmwareFilePath(m_settings), QString());
    if (!image.passed()) {
        presentAlert(VeltError::withDescription(VeltError::updateCode,
                                                localizedString(image.failureKey), filePath));
        return;
    }
    auto version = std::make_shared<FirmwareVersion>();
    version->name = version->fileName = QFileInfo(filePath).fileName();
    version->md5hash = image.md5;
    logContext(QStringLiteral("local image: %1, %2 bytes, MD5 %3")
                   .arg(filePath)
                   .arg(image.size)
                   .arg(image.md5));
    auto* page = new LocalImageViewController(filePath, image);
    connect(page, &LocalImageViewController::nextRequested, this,
            [this, version] { showDFUSetupPage(version); });
    connect(page, &LocalImageViewController::backRequested, m_stack,
            [this, page] { m_stack->pop(page); });
    m_stack->push(page);
}

void MainWindow::showDFUSetupPage(std::shared_ptr<const FirmwareVersion> localImage)
{
    auto* page = new DFUSetupInfoViewController(m_settings.toolPath);
    connect(page, &DFUSetupInfoViewController::nextRequested, this,
            [this, localImage] { showUpdateProgressPage(localImage); });
    connect(page, &DFUSetupInfoViewController::backRequested, m_stack,
            [this, page] { m_stack->pop(page); });
    m_stack->push(page);
}

void MainWindow::showUpdateProgressPage(std::shared_ptr<const FirmwareVersion> localImage)
{
    const TargetFirmware& target = targetFirmware();
    if (!localImage)
        logContext(QStringLiteral("model: %1, version: %2")
                       .arg(target.lotName, target.firmwareVersion ? target.firmwareVersion->name
                                                                   : QStringLiteral("?")));
    auto* page = localImage ? new UpdateProgressViewController(m_settings, localImage)
                            : new UpdateProgressViewController(m_settings);
    // A failed update returns to the DFU setup page, so the user can try again.
    connect(page, &UpdateProgressViewController::backRequested, m_stack,
            [this, page] { m_stack->pop(page); });
    connect(page, &UpdateProgressViewController::finishRequested, this, &MainWindow::requestQuit);
    connect(page, &UpdateProgressViewController::toolRunningChanged, this, [this](bool running) {
        if (!m_delegate)
            return;
        if (running)
            m_delegate->disableQuit();
        else
            m_delegate->enableQuit();
    });
    m_stack->push(page);
}

void MainWindow::pageDidAppear(QWidget* page)
{
    // Nothing is pushed above the update page: while it is on the stack, it is on top.
    m_updateFromFile->setEnabled(!qobject_cast<UpdateProgressViewController*>(page));
    // Keyboard focus follows the page, unless the page has already put it somewhere inside.
    // While the window is not the active one (an alert has just closed) the application has no
    // focus widget; the window still knows which of its own will get the focus.
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        focus = focusWidget();
    if (page && (!focus || !page->isAncestorOf(focus)))
        page->setFocus(Qt::OtherFocusReason);
}

void MainWindow::requestQuit()
{
    if (m_delegate) {
        m_delegate->terminate();
        return;
    }
    logLine(QStringLiteral("terminating without an application delegate"));
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_delegate && !m_delegate->windowShouldClose(this)) {
        event->ignore();
        return;
    }
    event->accept();
    // This is the application's only window.
    if (!m_delegate || m_delegate->applicationShouldTerminateAfterLastWindowClosed())
        requestQuit();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!widget || widget->window() != this || !isReturn ||
        (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A held key repeats; running on through the following pages' Next buttons would start
    // an update the user never asked for. Swallowed, so no focused button clicks either.
    if (key->isAutoRepeat())
        return true;
    QWidget* page = m_stack->topPage();
    if (!page)
        return false;
    // Key presses reach the focused control first: a push button there is the one meant.
    auto* focused = qobject_cast<QPushButton*>(widget);
    if (focused && page->isAncestorOf(focused) && focused->isVisible() && focused->isEnabled()) {
        focused->click();
        return true;
    }
    for (QPushButton* button : page->findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(localizedString("Caption_MenuFile"));
    m_updateFromFile = fileMenu->addAction(localizedString("Caption_MenuUpdateFromFile"));
    m_updateFromFile->setObjectName(QStringLiteral("updateFromFileAction"));
    m_updateFromFile->setVisible(false);
    connect(m_updateFromFile, &QAction::triggered, this, &MainWindow::chooseImageFile);
    fileMenu->addSeparator();
    QAction* quit = fileMenu->addAction(localizedString("Caption_MenuQuit"));
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, &MainWindow::requestQuit);

    QMenu* helpMenu = menuBar()->addMenu(localizedString("Caption_MenuHelp"));
    QAction* about = helpMenu->addAction(localizedString("Caption_MenuAbout"));
    about->setObjectName(QStringLiteral("aboutAction"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    helpMenu->addSeparator();
    QAction* copy = helpMenu->addAction(localizedString("Caption_MenuCopyDiagnostics"));
    copy->setObjectName(QStringLiteral("copyDiagnosticsAction"));
    connect(copy, &QAction::triggered, this, &MainWindow::copyDiagnostics);
    QAction* openFolder = helpMenu->addAction(localizedString("Caption_MenuOpenLogFolder"));
    openFolder->setObjectName(QStringLiteral("openLogFolderAction"));
    connect(openFolder, &QAction::triggered, this, &MainWindow::openLogFolder);
}

void MainWindow::copyDiagnostics()
{
    QApplication::clipboard()->setText(runDiagnostics());
}

void MainWindow::openLogFolder()
{
    QString folder = diagnosticsFolder();
    if (folder.isEmpty())
        folder = defaultDiagnosticsFolder();
    if (QDir().mkpath(folder) && QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        return;
    logLine(QStringLiteral("could not open the log folder ") + folder);
    presentAlert(VeltError::withDescription(
        VeltError::updateCode, localizedString("Error_CouldNotOpenLogFolder"), folder));
}

void MainWindow::showAbout()
{
    const QString text = QStringLiteral("<p><b>%1</b></p><p>%2 %3</p><p>%4</p>")
                             .arg(QApplication::applicationDisplayName().toHtmlEscaped(),
                                  localizedString("Caption_AboutVersion").toHtmlEscaped(),
                                  QApplication::applicationVersion().toHtmlEscaped(),
                                  localizedString("Description_About").toHtmlEscaped());
    QMessageBox::about(this, localizedString("Caption_MenuAbout").remove(QLatin1Char('&')), text);
}

} // namespace velt
