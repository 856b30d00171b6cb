// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "app/AppDelegate.h"
#include "core/Alert.h"
#include "core/VeltError.h"
#include "support/Files.h"
#include "update/UpdateSession.h"

#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>

class FdCapture;

namespace velt {

class MainWindow;

namespace test {

// The whole window as the program launches it, driven by the object names of its pages and
// controls the way a user drives it. Shared by the window tests and the demo's wizard driver,
// so it knows nothing of a test framework: every step that can go wrong returns an empty text
// when it went right and a sentence saying what happened otherwise. Every wait has an end.
//
// Alerts are recorded instead of shown, and ending the application is counted instead of
// performed.
class WizardFixture
{
public:
    // The settings the update page's session gets; the catalogue comes from settings.server.
    explicit WizardFixture(UpdateSettings settings);
    ~WizardFixture();
    WizardFixture(const WizardFixture&) = delete;
    WizardFixture& operator=(const WizardFixture&) = delete;

    UpdateSettings settings;

    // Builds the window, shows it and lets the delegate take over quitting. The first page
    // fetches the catalogue.
    void launch();
    MainWindow* window() const { return m_window.get(); }
    AppDelegate& delegate() { return m_delegate; }
    int quits() const { return m_quits; }
    // Quitting would be allowed now, and the window's close buttons say so.
    bool quitGuardDown() const
    {
        return !m_delegate.disableQuitApp() &&
               m_delegate.applicationShouldTerminate() == AppDelegate::TerminateNow;
    }

    QWidget* page() const;
    QString pageName() const { return page() ? page()->objectName() : QString(); }
    // A control of the page on screen, by object name; null when there is none.
    template <class T> T* control(const char* name) const
    {
        return page() ? page()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }

    // The text a control shows (label, text area or button); empty when there is none.
    QString text(const char* name) const;
    QString click(const char* button);
    // Chooses the item with this text (or, with an empty text, the first) in a page's list.
    QString pick(const QString& text, const char* list = "selector");
    QString pickIndex(int index, const char* list = "selector");
    // Return as the keyboard sends it to the focused control (the window when none has it).
    void pressReturn();

    // From launch to the named page: the catalogue, the model (empty: the first), the
    // preselected newest version unless versionIndex says otherwise, the instructions. Any
    // alert on the way ends the walk. visited(page) runs on each page before Next is pressed
    // there, and on the last one.
    QString walkTo(const QString& pageName, const QString& model = {}, int versionIndex = -1,
                   const std::function<void(const QString&)>& visited = {});
    // How long a walk waits for the catalogue and for each page.
    int stepTimeoutMs = 30'000;

    QString waitUntil(const QString& what, const std::function<bool()>& condition,
                      int timeoutMs = 30'000);
    QString waitForPage(const QString& name, int timeoutMs = 30'000)
    {
        return waitUntil(
            name, [&] { return pageName() == name; }, timeoutMs);
    }
    // The update page's ending: the Finish button, or an alert.
    bool ended() const;
    QString waitForEnd(int timeoutMs = 60'000)
    {
        return waitUntil(
            u"Finish or an alert"_qs, [this] { return ended(); }, timeoutMs);
    }
    QString waitForLogLine(const QString& part, int timeoutMs = 30'000);

    // The alerts recorded instead of shown.
    const QList<VeltError>& alerts() const { return m_alerts; }
    QString alertText() const;
    // Diagnostic lines written since the first call (standard output is copied from then on).
    QStringList logLines();

    // The simulated device the flashing tool talks to while this fixture lives: the given
    // traits (see tools/dfu-util/README.md), with the runs it sees and the bytes it received
    // in its last run recorded.
    void simulateDevice(const QString& traits);
    int toolRuns() const { return readFile(m_device.filePath(u"runs"_qs)).trimmed().toInt(); }
    QByteArray deviceReceived() const { return readFile(m_device.filePath(u"received"_qs)); }

private:
    QList<VeltError> m_alerts;
    AppDelegate m_delegate;
    int m_quits = 0;
    QTemporaryDir m_device;
    std::unique_ptr<FdCapture> m_log;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace test
} // namespace velt
