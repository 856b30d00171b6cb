#pragma once

#include "app/AppDelegate.h"
#include "kit/Controller.h"

#include <QMainWindow>
#include <QPointer>

namespace velt {

class ContentManagerViewController;
class Storyboard;
class ViewController;

// The application's one window: the wiring table's root controller as its content, a menu bar
// with Quit and About, and a fixed size. Closing it asks its delegate first.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const std::shared_ptr<const Storyboard>& storyboard,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Null when the wiring table could not build the root controller.
    ViewController* rootController() const;
    ContentManagerViewController* contentManager() const;
    // The page on screen.
    Controller* currentPage() const;

    AppDelegate* delegate() const { return m_delegate; }
    void setDelegate(AppDelegate* delegate) { m_delegate = delegate; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Return pressed while nothing inside the page has the focus (the first page never takes
    // it) still reaches the page's default button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createMenus();
    void showAbout();

    ControllerPtr m_root;
    QPointer<AppDelegate> m_delegate;
};

} // namespace velt
