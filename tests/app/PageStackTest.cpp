#include "app/ContentManagerViewController.h"
#include "app/SegueBetweenEmbedded.h"
#include "app/ViewController.h"

#include <gtest/gtest.h>

namespace velt {
namespace {

ControllerPtr makePage()
{
    ControllerPtr page = Controller::adopt(new Controller);
    page->setView(new QWidget);
    page->view()->setGeometry(5, 5, 10, 10);
    return page;
}

// A content manager on screen with a root page embedded in it, as the window builds it.
class PageStackTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        managerRef = Controller::adopt(new ContentManagerViewController);
        manager = static_cast<ContentManagerViewController*>(managerRef.get());
        manager->setView(new QWidget);
        manager->view()->resize(400, 300);
        manager->view()->show();
        root->view()->setParent(manager->view());
        root->setFrame(rootFrame);
        root->view()->show();
        manager->addChildController(root);
        Segue embed(QStringLiteral("embed"), manager, root);
        manager->prepareForSegue(embed, nullptr);
    }

    void forward(const ControllerPtr& from, const ControllerPtr& to)
    {
        SegueBetweenEmbedded(QStringLiteral("next"), from.get(), to).perform();
    }

    void expectOnScreen(const ControllerPtr& page)
    {
        EXPECT_EQ(manager->currentViewController(), page.get());
        EXPECT_EQ(manager->viewControllerStack().last(), page);
        EXPECT_EQ(manager->childControllers(), QList<Controller*>{page.get()});
        EXPECT_EQ(page->parentController(), manager);
        EXPECT_EQ(page->view()->parentWidget(), manager->view());
        EXPECT_TRUE(page->view()->isVisible());
    }

    const QRect rootFrame{0, 0, 400, 300};
    ControllerPtr managerRef;
    ContentManagerViewController* manager = nullptr;
    ControllerPtr root = makePage();
};

TEST_F(PageStackTest, PoppingTheRootAloneChangesNothing)
{
    manager->pop();
    manager->popToRoot();
    EXPECT_EQ(manager->viewControllerStack().size(), 1);
    expectOnScreen(root);
    EXPECT_EQ(root->frame(), rootFrame);
}

TEST_F(PageStackTest, PushTakesTheFrameOnScreenAndPopHandsItBack)
{
    const ControllerPtr page = makePage();
    manager->push(page);
    expectOnScreen(page);
    EXPECT_EQ(page->frame(), rootFrame);
    EXPECT_EQ(root->parentController(), nullptr);
    EXPECT_FALSE(root->view()->isVisible());

    const QRect moved(1, 2, 300, 200);
    page->setFrame(moved);
    manager->pop();
    expectOnScreen(root);
    EXPECT_EQ(root->frame(), moved);
    EXPECT_EQ(page->parentController(), nullptr);
    EXPECT_EQ(manager->viewControllerStack().size(), 1);
}

TEST_F(PageStackTest, PopToRootFromFourPagesLeavesOnlyTheRoot)
{
    for (int i = 0; i < 3; ++i)
        manager->push(makePage());
    ASSERT_EQ(manager->viewControllerStack().size(), 4);
    manager->popToRoot();
    EXPECT_EQ(manager->viewControllerStack().size(), 1);
    expectOnScreen(root);
}

TEST_F(PageStackTest, SegueFromThePageOnScreenPushesAndItsDismissalPops)
{
    const ControllerPtr next = makePage();
    forward(root, next);
    EXPECT_EQ(manager->viewControllerStack().size(), 2);
    expectOnScreen(next);
    EXPECT_EQ(next->frame(), rootFrame);

    next->setFrame({3, 3, 100, 100});
    next->dismissController(nullptr);
    expectOnScreen(root);
    EXPECT_EQ(root->frame(), QRect(3, 3, 100, 100));
}

TEST_F(PageStackTest, DismissingACoveredPageChangesNothing)
{
    const ControllerPtr second = makePage();
    const ControllerPtr third = makePage();
    forward(root, second);
    forward(second, third);
    second->dismissController(nullptr);
    EXPECT_EQ(manager->viewControllerStack().size(), 3);
    expectOnScreen(third);

    third->dismissController(nullptr);
    third->dismissController(nullptr); // a second request for the same page
    EXPECT_EQ(manager->viewControllerStack().size(), 2);
    expectOnScreen(second);
}

TEST_F(PageStackTest, SegueFromTheRootControllerPushesOntoTheStackItHolds)
{
    ControllerPtr window = Controller::adopt(new ViewController);
    auto* rootController = static_cast<ViewController*>(window.get());
    // Before the embed segue the root controller has no stack: its actions do nothing.
    rootController->popViewController(nullptr);
    rootController->popToRootViewController(nullptr);
    const ControllerPtr lost = makePage();
    forward(window, lost);
    EXPECT_EQ(manager->viewControllerStack().size(), 1);

    Segue embed(QStringLiteral("embed"), rootController, managerRef);
    rootController->prepareForSegue(embed, nullptr);
    Segue other(QStringLiteral("other"), rootController, makePage());
    rootController->prepareForSegue(other, nullptr);
    EXPECT_EQ(rootController->contentManagerViewController(), manager);

    const ControllerPtr page = makePage();
    forward(window, page);
    EXPECT_EQ(manager->viewControllerStack().size(), 2);
    expectOnScreen(page);
    rootController->popViewController(nullptr);
    expectOnScreen(root);
}

TEST(ViewControllerPage, RawValuesNameTheThreePhasesOnly)
{
    EXPECT_EQ(ViewController::pageFromRawValue(0), ViewController::Page::intro);
    EXPECT_EQ(ViewController::pageFromRawValue(1), ViewController::Page::selectDevice);
    EXPECT_EQ(ViewController::pageFromRawValue(2), ViewController::Page::end);
    EXPECT_FALSE(ViewController::pageFromRawValue(3));
    EXPECT_FALSE(ViewController::pageFromRawValue(-1));
    EXPECT_EQ(ViewController().currentPage(), ViewController::Page::intro);
}

} // namespace
} // namespace velt
