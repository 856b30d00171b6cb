#include "app/AppDelegate.h"

#include "app/MainWindow.h"
#include "kit/Termination.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace velt {
namespace {

constexpr Qt::WindowFlags titleBarButtons =
    Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

class AppDelegateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        delegate.setQuitAction([this] { ++quits; });
        window.show();
        delegate.applicationDidFinishLaunching();
    }

    bool buttonsShown() const
    {
        return (window.windowFlags() & titleBarButtons) == titleBarButtons;
    }
    bool buttonsHidden() const { return !(window.windowFlags() & titleBarButtons); }

    MainWindow window{nullptr};
    AppDelegate delegate;
    int quits = 0;
};

TEST_F(AppDelegateTest, LaunchPublishesTheDelegateAndBecomesTheWindowsDelegate)
{
    EXPECT_EQ(appDelegate.load(), &delegate);
    EXPECT_EQ(window.delegate(), &delegate);
}

TEST_F(AppDelegateTest, QuitIsRefusedWhileGuardedAndAllowedAfterwards)
{
    QSignalSpy willTerminate(&delegate, &AppDelegate::willTerminate);
    delegate.disableQuit();
    EXPECT_EQ(delegate.applicationShouldTerminate(), AppDelegate::TerminateCancel);
    EXPECT_FALSE(delegate.applicationShouldTerminateAfterLastWindowClosed());
    EXPECT_FALSE(delegate.windowShouldClose(&window));
    EXPECT_FALSE(delegate.terminate());
    requestTermination();
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(willTerminate.count(), 0);

    delegate.enableQuit();
    delegate.enableQuit(); // twice is the same as once
    EXPECT_EQ(delegate.applicationShouldTerminate(), AppDelegate::TerminateNow);
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(willTerminate.count(), 1);
}

TEST_F(AppDelegateTest, GuardHidesTheTitleBarButtonsAndKeepsTheWindowOpen)
{
    ASSERT_TRUE(buttonsShown());
    delegate.disableQuit();
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttonsHidden());
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(quits, 0);

    delegate.enableQuit();
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttonsShown());
    // Closing the only window ends the application.
    EXPECT_TRUE(window.close());
    EXPECT_EQ(quits, 1);
}

TEST_F(AppDelegateTest, GuardRaisedOnAnotherThreadRefusesAtOnceAndTheButtonsFollow)
{
    std::thread([this] { delegate.disableQuit(); }).join();
    // The flag is already up; the window only changes on the main thread, later.
    EXPECT_FALSE(delegate.terminate());
    EXPECT_TRUE(buttonsShown());
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttonsHidden());

    std::thread([this] { delegate.enableQuit(); }).join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttonsShown());
    EXPECT_TRUE(delegate.terminate());
    EXPECT_EQ(quits, 1);
}

} // namespace
} // namespace velt
