#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/PageStack.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace velt {
namespace {

constexpr Qt::WindowFlags titleBarButtons =
    Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

// The window with its delegate, and on top of the intro page (so no catalogue is loaded) pages
// whose default Next button pushes another such page.
class AppTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        delegate.setQuitAction([this] { ++quits; });
        push();
        window.show();
        delegate.applicationDidFinishLaunching();
    }

    QWidget* push()
    {
        auto* page = new QWidget;
        auto* layout = new QHBoxLayout(page);
        auto* back = new QPushButton(QStringLiteral("Back"), page);
        auto* next = new QPushButton(QStringLiteral("Next"), page);
        back->setObjectName(QStringLiteral("backButton"));
        next->setObjectName(QStringLiteral("nextButton"));
        next->setDefault(true);
        layout->addWidget(back);
        layout->addWidget(next);
        QObject::connect(next, &QPushButton::clicked, [this] { push(); });
        stack().push(page);
        return page;
    }

    PageStack& stack() const { return *window.pageStack(); }
    bool buttonsShown() const
    {
        return (window.windowFlags() & titleBarButtons) == titleBarButtons;
    }
    bool buttonsHidden() const { return !(window.windowFlags() & titleBarButtons); }

    void pressReturn(QWidget* target, bool autoRepeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(target, &press);
    }

    MainWindow window{UpdateSettings{}};
    AppDelegate delegate;
    int quits = 0;
};

TEST_F(AppTest, QuitIsRefusedWhileGuardedAndAllowedAfterwards)
{
    EXPECT_EQ(appDelegate.load(), &delegate);
    EXPECT_EQ(window.delegate(), &delegate);
    QSignalSpy willTerminate(&delegate, &AppDelegate::willTerminate);
    delegate.disableQuit();
    EXPECT_FALSE(delegate.terminate());
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(willTerminate.count(), 0);

    delegate.enableQuit();
    delegate.enableQuit(); // twice is the same as once
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(willTerminate.count(), 1);
}

TEST_F(AppTest, GuardHidesTheTitleBarButtonsAndKeepsTheWindowOpen)
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

TEST_F(AppTest, GuardRaisedOnAnotherThreadRefusesAtOnceAndTheButtonsFollow)
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

TEST_F(AppTest, PopTakesOnlyTheTopPageAndDeletesIt)
{
    QWidget* const root = stack().widget(0);
    QWidget* const below = stack().topPage();
    QWidget* const covered = push();
    QPointer<QWidget> top = push();
    QSignalSpy topChanged(&stack(), &PageStack::topPageChanged);

    stack().pop(covered);
    EXPECT_EQ(stack().topPage(), top);
    stack().pop(top);
    stack().pop(top); // a second request for the same page
    EXPECT_EQ(stack().topPage(), covered);
    EXPECT_EQ(stack().currentWidget(), covered);
    ASSERT_EQ(topChanged.count(), 1);
    EXPECT_EQ(topChanged.at(0).at(0).value<QWidget*>(), covered);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(top.isNull());

    stack().pop(covered);
    stack().pop(below);
    stack().pop(root); // the root stays
    EXPECT_EQ(stack().count(), 1);
    EXPECT_EQ(stack().topPage(), root);
}

TEST_F(AppTest, ReturnPressesTheDefaultButtonOncePerPressWhereverTheFocusIs)
{
    const int pages = stack().count();
    QWidget* page = stack().topPage();
    QWidget* back = page->findChild<QPushButton*>("backButton");
    back->setFocus();
    pressReturn(back);
    EXPECT_EQ(stack().count(), pages + 1);

    // A held key: the repeats press nothing, neither the default nor a focused button.
    for (QWidget* target : {static_cast<QWidget*>(&window), QApplication::focusWidget()}) {
        if (target)
            pressReturn(target, true);
    }
    EXPECT_EQ(stack().count(), pages + 1);

    stack().topPage()->findChild<QPushButton*>("nextButton")->setEnabled(false);
    pressReturn(&window);
    EXPECT_EQ(stack().count(), pages + 1);
}

} // namespace
} // namespace velt
