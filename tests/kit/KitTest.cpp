#include "controls/LocalizableField.h"
#include "kit/Controller.h"
#include "kit/PresentationAnimator.h"
#include "kit/Segue.h"
#include "kit/Storyboard.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace velt {
namespace {

// Records what the loader and the segues do to it.
class RecordingController : public Controller
{
    Q_OBJECT
    // Declared out of alphabetical order on purpose: the loader must follow this order.
    Q_PROPERTY(LocalizableField* zeta READ zeta WRITE setZeta)
    Q_PROPERTY(QPushButton* alpha READ alpha WRITE setAlpha)

public:
    LocalizableField* zeta() const { return m_zeta; }
    void setZeta(LocalizableField* field)
    {
        m_zeta = field;
        outletOrder << "zeta";
        zetaTextWhenConnected = field->text();
    }
    QPushButton* alpha() const { return m_alpha; }
    void setAlpha(QPushButton* button)
    {
        m_alpha = button;
        outletOrder << "alpha";
    }

    void prepareForSegue(Segue& segue, QObject* sender) override
    {
        segues.append({segue.identifier(), segue.destinationController(), sender});
    }
    void viewDidLoad() override { ++loaded; }
    void viewDidAppear() override { ++appeared; }

    struct PreparedSegue
    {
        QString identifier;
        ControllerPtr destination;
        QObject* sender;
    };
    QStringList outletOrder;
    QString zetaTextWhenConnected;
    QList<PreparedSegue> segues;
    int loaded = 0;
    int appeared = 0;

private:
    QPointer<LocalizableField> m_zeta;
    QPointer<QPushButton> m_alpha;
};

class RecordingAnimator : public PresentationAnimator
{
public:
    void animatePresentation(const ControllerPtr& presented, Controller* presenting) override
    {
        presentations.append(qMakePair(presented.get(), presenting));
    }
    void animateDismissal(Controller* dismissed, Controller* presenting) override
    {
        dismissals.append(qMakePair(dismissed, presenting));
    }
    QList<QPair<Controller*, Controller*>> presentations, dismissals;
};

const char* parentLayout = R"(<ui version="4.0"><widget class="QWidget" name="Parent">
  <widget class="LocalizableField" name="zeta">
    <property name="text"><string notr="true">layout</string></property>
    <property name="resourceId" stdset="0"><string notr="true">Caption_Model</string></property>
  </widget>
  <widget class="QPushButton" name="alpha"/>
  <widget class="QPushButton" name="goButton"/>
  <widget class="QWidget" name="holder"/>
</widget></ui>)";

const char* childLayout = R"(<ui version="4.0"><widget class="QWidget" name="Child"/></ui>)";

const char* table = R"({ "initial": "parent", "controllers": {
  "parent": { "class": "RecordingController", "layout": "Parent.ui", "defaultButton": "goButton",
              "embed": [ { "destination": "child", "container": "holder" } ],
              "segues": [ { "identifier": "go", "class": "Segue", "destination": "child",
                            "trigger": "goButton" } ] },
  "child": { "class": "RecordingController", "layout": "Child.ui" } } })";

class KitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        write("Parent.ui", parentLayout);
        write("Child.ui", childLayout);
        write("table.json", table);
        Storyboard::registerControllerClass<RecordingController>();
        Storyboard::registerSegueClass<Segue>(QStringLiteral("Segue"));
        QString error;
        m_storyboard = Storyboard::load(m_dir.filePath("table.json"), &error);
        ASSERT_TRUE(m_storyboard) << error.toStdString();
        m_parent = std::dynamic_pointer_cast<RecordingController>(
            m_storyboard->instantiateInitialController());
        ASSERT_TRUE(m_parent);
    }

    void write(const QString& name, const char* text)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QPushButton* goButton() const { return m_parent->view()->findChild<QPushButton*>("goButton"); }

    QTemporaryDir m_dir;
    std::shared_ptr<Storyboard> m_storyboard;
    std::shared_ptr<RecordingController> m_parent;
};

TEST_F(KitTest, LoaderConnectsOutletsInDeclarationOrderThenAwakesControlsThenEmbeds)
{
    EXPECT_EQ(m_parent->outletOrder, QStringList({"zeta", "alpha"}));
    EXPECT_EQ(m_parent->zetaTextWhenConnected, "layout");
    EXPECT_EQ(m_parent->zeta()->text(), "Caption_Model"); // no table installed: the key
    EXPECT_EQ(m_parent->loaded, 1);
    EXPECT_EQ(m_parent->identifier(), "parent");

    ASSERT_EQ(m_parent->segues.size(), 1);
    const ControllerPtr child = m_parent->segues.first().destination;
    EXPECT_EQ(m_parent->segues.first().identifier, "embed");
    EXPECT_EQ(m_parent->childControllers(), QList<Controller*>{child.get()});
    EXPECT_EQ(child->parentController(), m_parent.get());
    EXPECT_EQ(child->view()->parentWidget(), m_parent->view()->findChild<QWidget*>("holder"));

    EXPECT_FALSE(m_storyboard->instantiateController(QStringLiteral("missing")));
}

TEST_F(KitTest, EachSegueRunBuildsAFreshDestination)
{
    goButton()->click();
    goButton()->click();
    ASSERT_EQ(m_parent->segues.size(), 3);
    for (int i : {1, 2}) {
        EXPECT_EQ(m_parent->segues.at(i).identifier, "go");
        EXPECT_EQ(m_parent->segues.at(i).sender, goButton());
        EXPECT_EQ(m_parent->segues.at(i).destination->identifier(), "child");
    }
    EXPECT_NE(m_parent->segues.at(1).destination, m_parent->segues.at(2).destination);

    m_parent->performSegue(QStringLiteral("nowhere"), nullptr);
    EXPECT_EQ(m_parent->segues.size(), 3);
}

TEST_F(KitTest, DismissalReachesThePresentationsAnimatorOnce)
{
    const ControllerPtr child = m_storyboard->instantiateController(QStringLiteral("child"));
    auto animator = std::make_shared<RecordingAnimator>();
    m_parent->present(child, animator);
    ASSERT_EQ(animator->presentations.size(), 1);
    EXPECT_EQ(animator->presentations.first(), qMakePair(child.get(), (Controller*)m_parent.get()));
    EXPECT_TRUE(child->isPresented());

    child->dismissController(nullptr);
    child->dismissController(nullptr);
    m_parent->dismiss(m_parent.get()); // never presented
    ASSERT_EQ(animator->dismissals.size(), 1);
    EXPECT_EQ(animator->dismissals.first(), qMakePair(child.get(), (Controller*)m_parent.get()));
    EXPECT_FALSE(child->isPresented());
}

TEST_F(KitTest, AppearsOnEveryShowOnceTheEventLoopRunsButNotWhenHiddenAgain)
{
    QWidget* view = m_parent->view();
    view->show();
    EXPECT_EQ(m_parent->appeared, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_parent->appeared, 1);

    view->hide();
    view->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_parent->appeared, 2);

    view->hide();
    view->show();
    view->hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_parent->appeared, 2);
}

TEST_F(KitTest, ReturnPressesTheDefaultButtonOnlyWhileItIsEnabled)
{
    m_parent->view()->show();
    QSignalSpy clicks(goButton(), &QPushButton::clicked);
    // Key presses a control ignores travel up to the page.
    QTest::keyClick(m_parent->zeta(), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    goButton()->setEnabled(false);
    QTest::keyClick(m_parent->zeta(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicks.count(), 1);
    m_parent->view()->hide();
}

} // namespace
} // namespace velt

#include "KitTest.moc"
