// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/AppDelegate.h"
#include "update/UpdateSession.h"

#include <QMainWindow>
#include <QPointer>

class QAction;

namespace velt {

class PageStack;

// The application's one window: the wizard's page stack with the intro page as its root, a
// menu bar with Quit, About and the diagnostics commands, and a fixed size. It builds each next
// page, wires its requests and ends the application through its delegate, which also decides
// whether it may close.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(UpdateSettings settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    PageStack* pageStack() const { return m_stack; }

    AppDelegate* delegate() const { return m_delegate; }
    void setDelegate(AppDelegate* delegate) { m_delegate = delegate; }

    // File > Update from a File...: copies the image file to the Documents path and checks it
    // (an alert says which check failed), then shows it for confirmation; from there the DFU
    // setup and update pages follow as usual. The user's choice of model and version stays.
    void updateFromFile(const QString& filePath);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Return and Enter press the focused push button, as on the Linux desktops; anywhere else
    // in the page (a list, a text area, no focus at all) they press the page's default button.
    // Once per press, never on auto-repeat. Space is the push buttons' own.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void showAbout();
    void copyDiagnostics();
    void openLogFolder();
    // Asks the delegate to end the application.
    void requestQuit();

    void showIntroPage();
    void showSelectModelPage();
    void showSelectVersionPage();
    void chooseImageFile();
    void showDFUSetupPage(std::shared_ptr<const FirmwareVersion> localImage = {});
    void showUpdateProgressPage(std::shared_ptr<const FirmwareVersion> localImage);
    // Called when a page has become the top page.
    void pageDidAppear(QWidget* page);

    UpdateSettings m_settings;
    PageStack* m_stack = nullptr;
    // Held while the flashing tool runs.
    // Shown once the catalogue has loaded; disabled while the update page is on the stack.
    QAction* m_updateFromFile = nullptr;
    QPointer<AppDelegate> m_delegate;
};

} // namespace velt
