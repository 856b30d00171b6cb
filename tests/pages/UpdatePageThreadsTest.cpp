#include "app/ContentManagerViewController.h"
#include "app/SegueBetweenEmbedded.h"
#include "kit/Storyboard.h"
#include "kit/Termination.h"
#include "pages/UpdateProgressViewController.h"
#include "pages/Wizard.h"
#include "support/AlertRecorder.h"

#include <QTest>
#include <gtest/gtest.h>
#include <thread>

namespace velt {
namespace {

// The update page on a page stack above the DFU setup page, as the wizard leaves it, with the
// reports of the update's background work arriving from other threads.
class UpdatePageThreadsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerWizardClasses();
        UpdateProgressViewController::setStartsOnAppearanceForTesting(false);
        auto storyboard = wizardStoryboard();
        ASSERT_TRUE(storyboard);
        m_manager->setView(new QWidget);
        m_manager->view()->resize(640, 480);
        m_manager->view()->show();
        m_below = storyboard->instantiateController(QStringLiteral("dfuSetup"));
        m_update = storyboard->instantiateController(QStringLiteral("updateProgress"));
        ASSERT_TRUE(m_below && m_update);
        m_manager->push(m_below);
        SegueBetweenEmbedded(QStringLiteral("next"), m_below.get(), m_update).perform();
        ASSERT_EQ(m_manager->currentViewController(), m_update.get());
        setTerminationHandler([this] { ++m_terminations; });
    }

    void TearDown() override
    {
        setTerminationHandler({});
        UpdateProgressViewController::setStartsOnAppearanceForTesting(true);
    }

    UpdateProgressViewController* page() const
    {
        return static_cast<UpdateProgressViewController*>(m_update.get());
    }

    std::shared_ptr<ContentManagerViewController> m_manager =
        std::static_pointer_cast<ContentManagerViewController>(
            Controller::adopt(new ContentManagerViewController));
    ControllerPtr m_below;
    ControllerPtr m_update;
    test::AlertRecorder m_alerts;
    int m_terminations = 0;
};

TEST_F(UpdatePageThreadsTest, TwoFailuresFromOtherThreadsGiveTwoAlertsAndOneStepBack)
{
    std::thread first([page = page(), keep = m_update] {
        page->showError(VeltError::withDescription(VeltError::updateCode, "first"));
    });
    std::thread second([page = page(), keep = m_update] {
        page->showError(VeltError::withDescription(VeltError::updateCode, "second"));
    });
    first.join();
    second.join();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_alerts.alerts().size() == 2; }));
    EXPECT_EQ(page()->infoTextArea()->toPlainText(), "Error_Generic");
    EXPECT_EQ(m_manager->currentViewController(), m_below.get());
    EXPECT_EQ(m_manager->viewControllerStack().size(), 1);
}

TEST_F(UpdatePageThreadsTest, SuccessFromAnotherThreadShowsFinishWhichEndsTheApplication)
{
    std::thread([page = page(), keep = m_update] { page->showWriteSucceeded(); }).join();
    ASSERT_TRUE(QTest::qWaitFor([this] { return page()->button()->isVisible(); }));
    EXPECT_TRUE(page()->button()->isEnabled());
    EXPECT_EQ(page()->button()->text(), "ButtonCaption_Finish");
    EXPECT_EQ(page()->infoTextArea()->toPlainText(), "Info_WriteSucceeded");
    page()->button()->click();
    EXPECT_EQ(m_terminations, 1);
}

} // namespace
} // namespace velt
