// SPDX-License-Identifier: Apache-2.0
#include "app/AlertBox.h"
#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/PageStack.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace velt {
namespace {

// The title bar's close, minimise and maximise buttons, all shown or all hidden.
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
        auto* back = new QPushButton(QStringLiteral("Back"), page);
        auto* next = new QPushButton(QStringLiteral("Next"), page);
        back->setObjectName(QStringLiteral("backButton"));
        next->setObjectName(QStringLiteral("nextButton"));
        next->setDefault(true);
        QObject::connect(next, &QPushButton::clicked, [this] { push(); });
        QObject::connect(back, &QPushButton::clicked, [this, page] { stack().pop(page); });
        stack().push(page);
        return page;
    }

    PageStack& stack() const { return *window.pageStack(); }

    MainWindow window{UpdateSettings{}};
    AppDelegate delegate;
    int quits = 0;
};

TEST_F(AppTest, GuardRefusesQuitAndCloseAtOnceAndTheTitleBarButtonsFollow)
{
    QSignalSpy willTerminate(&delegate, &AppDelegate::willTerminate);
    delegate.disableQuit();
    EXPECT_FALSE(delegate.terminate());
    EXPECT_FALSE(window.windowFlags() & titleBarButtons);
    window.findChild<QAction*>("quitAction")->trigger();
    EXPECT_FALSE(window.close());
    EXPECT_EQ(quits, 0);
    EXPECT_EQ(willTerminate.count(), 0);

    delegate.enableQuit();
    delegate.enableQuit(); // twice is the same as once
    EXPECT_EQ(window.windowFlags() & titleBarButtons, titleBarButtons);
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

// A key as it reaches the window: Return and Enter press the push button they reach, and
// anywhere else the page's default button (Next); a held key presses nothing.
TEST_F(AppTest, ReturnPressesTheFocusedButtonElseTheDefaultOncePerPress)
{
    struct KeyPress
    {
        const char* name;
        const char* target; // a button of the top page; empty: the window, nothing focused
        Qt::Key key;
        bool autoRepeat;
        int pagesAdded; // -1: the top page went back
        bool nextEnabled = true;
    };
    const KeyPress keyPresses[] = {
        {"ReturnWithoutFocusPressesNext", "", Qt::Key_Return, false, 1},
        {"EnterOnNextPressesIt", "nextButton", Qt::Key_Enter, false, 1},
        {"ReturnOnBackGoesBack", "backButton", Qt::Key_Return, false, -1},
        {"SpaceOnBackGoesBack", "backButton", Qt::Key_Space, false, -1},
        {"HeldReturnPressesNothing", "", Qt::Key_Return, true, 0},
        {"HeldReturnOnBackPressesNothing", "backButton", Qt::Key_Return, true, 0},
        {"ReturnWithNextDisabledPressesNothing", "", Qt::Key_Return, false, 0, false},
    };
    for (const KeyPress& row : keyPresses) {
        SCOPED_TRACE(row.name);
        QWidget* page = push();
        page->findChild<QPushButton*>("nextButton")->setEnabled(row.nextEnabled);
        const int pages = stack().count();
        QWidget* target = *row.target ? page->findChild<QWidget*>(row.target) : &window;
        target->setFocus();
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, row.key, Qt::NoModifier, QString(), row.autoRepeat);
            QApplication::sendEvent(target, &event);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(stack().count(), pages + row.pagesAdded);
    }
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
