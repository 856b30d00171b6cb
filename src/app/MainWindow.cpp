#include "app/MainWindow.h"

#include "app/AppDelegate.h"
#include "app/ContentManagerViewController.h"
#include "app/ViewController.h"
#include "core/Localization.h"
#include "kit/Storyboard.h"
#include "kit/Termination.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMessageBox>

namespace velt {

MainWindow::MainWindow(const std::shared_ptr<const Storyboard>& storyboard, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QApplication::applicationDisplayName());
    createMenus();
    if (storyboard)
        m_root = storyboard->instantiateInitialController();
    if (m_root && m_root->view())
        setCentralWidget(m_root->view());
    // The pages are designed for one size; a resizable window would only add empty space.
    adjustSize();
    setFixedSize(sizeHint());
}

MainWindow::~MainWindow() = default;

ViewController* MainWindow::rootController() const
{
    return qobject_cast<ViewController*>(m_root.get());
}

ContentManagerViewController* MainWindow::contentManager() const
{
    ViewController* root = rootController();
    return root ? root->contentManagerViewController() : nullptr;
}

Controller* MainWindow::currentPage() const
{
    ContentManagerViewController* manager = contentManager();
    return manager ? manager->currentViewController() : nullptr;
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
        requestTermination();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    Controller* page = currentPage();
    if (isReturn && modifiers == Qt::NoModifier && page && page->activateDefaultButton()) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(localizedString("Caption_MenuFile"));
    QAction* quit = fileMenu->addAction(localizedString("Caption_MenuQuit"));
    quit->setObjectName(QStringLiteral("quitAction"));
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, [] { requestTermination(); });

    QMenu* helpMenu = menuBar()->addMenu(localizedString("Caption_MenuHelp"));
    QAction* about = helpMenu->addAction(localizedString("Caption_MenuAbout"));
    about->setObjectName(QStringLiteral("aboutAction"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
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
