#pragma once

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "kit/Controller.h"
#include "support/AlertRecorder.h"
#include "support/TestHttpServer.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <QTranslator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable QString values in the messages of failed expectations.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace velt {

class Storyboard;
class UpdateProgressViewController;

namespace test {

// The whole window as the program launches it, against a catalogue on loopback: one model,
// "Alpha", with one version, "2.0", whose image is "/updater/dfu/a-2.0.dfu". Alerts are
// recorded, the application's ending is counted instead of performed, and the image file goes
// to a Documents folder of the test's own.
class WizardHarness : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The catalogue, listing the image with the given digest.
    static QByteArray catalogue(const QString& digest);
    static QString imagePath() { return QStringLiteral("/updater/dfu/a-2.0.dfu"); }
    static QString cataloguePath() { return QStringLiteral("/updater/firmwareList.json"); }
    // Serves the catalogue for the image with its true digest, and the image.
    void serveImage(const QByteArray& image);

    // Shows the window, whose first page fetches the catalogue.
    void launch();
    // From start-up to the instructions before the update, choosing Alpha and 2.0.
    void walkToDfuSetup();
    // On to the update page, whose download starts as it appears.
    void enterUpdatePage();

    Controller* onScreen() const { return m_window ? m_window->currentPage() : nullptr; }
    QString onScreenIdentifier() const;
    UpdateProgressViewController* updatePage() const;
    template <class T> T* control(const char* name) const
    {
        return onScreen() ? onScreen()->view()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    int stackSize() const;

    // Runs the event loop until the condition holds or the time is up; returns the condition.
    // Unlike QTest::qWaitFor it never sleeps between events, so a transfer that the main
    // thread drains chunk by chunk runs at its real speed.
    static bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 30'000);
    bool waitForAlert(int timeoutMs = 30'000);
    // The quit guard as the application sees it: down means quitting is allowed.
    bool quitGuardDown() const;

    // The image file the download stage writes.
    QString firmwareFile() const;
    static QByteArray readFile(const QString& path);
    static void writeFile(const QString& path, const QByteArray& bytes);

    TestHttpServer m_server;
    AlertRecorder m_alerts;
    AppDelegate m_delegate;
    int m_quits = 0;
    QTemporaryDir m_folder;
    std::unique_ptr<MainWindow> m_window;

private:
    QTranslator m_english;
    std::shared_ptr<Storyboard> m_storyboard;
};

} // namespace test
} // namespace velt
