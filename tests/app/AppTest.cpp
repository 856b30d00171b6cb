// SPDX-License-Identifier: Apache-2.0
#include "app/AlertBox.h"
#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/PageStack.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
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
    // The title bar's close, minimise and maximise buttons, all shown or all hidden.
    bool buttonsShown() const
    {
        return (window.windowFlags() & titleBarButtons) == titleBarButtons;
    }

    void pressReturn(QWidget* target, bool autoRepeat = false)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(target, &press);
    }

    MainWindow window{UpdateSettings{}};
    AppDelegate delegate;
    int quits = 0;
};

// The guard goes up and down on other threads, as the update's stages do it.
TEST_F(AppTest, GuardRefusesQuitAndCloseAtOnceAndTheTitleBarButtonsFollow)
{
    QSignalSpy willTerminate(&delegate, &AppDelegate::willTerminate);
    std::thread([this] { delegate.disableQuit(); }).join();
    // The flag is already up; the window only changes on the main thread, later.
    EXPECT_FALSE(delegate.terminate());
    EXPECT_TRUE(buttonsShown());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.windowFlags() & titleBarButtons);
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(willTerminate.count(), 0);

    std::thread([this] {
        delegate.enableQuit();
        delegate.enableQuit(); // twice is the same as once
    }).join();
    QCoreApplication::processEvents();
    EXPECT_TRUE(buttonsShown());
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(willTerminate.count(), 1);
}

TEST_F(AppTest, PopTakesOnlyTheTopPageAndDeletesIt)
{
    QWidget* const root = stack().widget(0);
    QWidget* const below = stack().topPage();
    QWidget* const covered = push();
    QPointer<QWidget> top = push();
    QSignalSpy topChanged(&stack(), &PageStack::topPageChanged);

    stack().pop(covered);
    stack().pop(top);
    stack().pop(top); // a second request for the same page
    EXPECT_EQ(stack().currentWidget(), covered);
    EXPECT_EQ(topChanged.count(), 1);
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
    // With nothing focused, then with another button focused: Next each time.
    const int pages = stack().count();
    pressReturn(&window);
    QWidget* back = stack().topPage()->findChild<QPushButton*>("backButton");
    back->setFocus();
    pressReturn(back);
    EXPECT_EQ(stack().count(), pages + 2);

    // A held key: the repeats press nothing, neither the default nor a focused button.
    pressReturn(&window, true);
    pressReturn(back, true);
    EXPECT_EQ(stack().count(), pages + 2);

    stack().topPage()->findChild<QPushButton*>("nextButton")->setEnabled(false);
    pressReturn(&window);
    EXPECT_EQ(stack().count(), pages + 2);
}

TEST(AlertDetails, TheUnderlyingTextSitsBehindShowDetailsOnlyWhenThereIsOne)
{
    for (const QString& details : {QStringLiteral("Connection refused"), QString()}) {
        QString shown = QStringLiteral("<no alert>");
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->detailedText();
                box->defaultButton()->click();
            }
        });
        answer.start(20);
        showAlertBox(VeltError::withDescription(VeltError::catalogueCode, "No list.", details));
        EXPECT_EQ(shown, details);
    }
}

} // namespace
} // namespace velt
