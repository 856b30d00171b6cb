// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QObject>
#include <functional>

class QSessionManager;
class QWidget;

namespace velt {

class MainWindow;
class TerminationSignals;

// The application's and the main window's delegate. Its one job is the quit guard: while a
// device is being written the application must not end and its window must not close, and
// every way of quitting (menu, window, Finish, a failed catalogue, the desktop session) asks
// applicationShouldTerminate() first. Refusals are silent.
class AppDelegate : public QObject
{
    Q_OBJECT

public:
    enum TerminateReply { TerminateCancel = 0, TerminateNow = 1 };

    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    bool disableQuitApp() const { return m_disableQuitApp; }
    void setDisableQuitApp(bool disabled) { m_disableQuitApp = disabled; }

    // Publishes this delegate as appDelegate, becomes the main window's delegate and takes over
    // the application's terminate requests and the session manager's quit query.
    void applicationDidFinishLaunching();
    void applicationWillTerminate();
    TerminateReply applicationShouldTerminate() const;
    bool applicationShouldTerminateAfterLastWindowClosed() const;
    bool windowShouldClose(QWidget* window) const;

    // Raise and lower the guard, with the window's close, minimise and maximise buttons.
    void disableQuit();
    void enableQuit();

    // The terminate request: ends the application unless the guard refuses. Returns whether
    // the application is ending. Main thread only.
    bool terminate();

    // Each of the signals becomes a terminate request; a refused one says why on standard
    // error, for the terminal it came from.
    void quitOnTerminationSignals(TerminationSignals& terminations);

    // What ending the application does once allowed; QCoreApplication::exit(0) by default.
    // Tests replace it to observe the ending without leaving their event loop.
    void setQuitAction(std::function<void()> quit) { m_quit = std::move(quit); }

    // The application's main window, if there is one.
    static MainWindow* mainWindow();

signals:
    // Emitted once termination has been allowed, just before the quit action runs.
    void willTerminate();

private:
    void setTitleBarButtonsVisible(bool visible);
    void commitData(QSessionManager& manager);

    bool m_disableQuitApp = false;
    bool m_terminating = false;
    std::function<void()> m_quit;
};

// The delegate, published once launching has finished, for parts that have no window of their
// own to ask; null before, and again once the delegate has gone. The main window raises and
// lowers the guard around each run of the flashing tool through its own delegate. Main thread
// only, like everything else here.
extern AppDelegate* appDelegate;

} // namespace velt
