#include "kit/Controller.h"

#include "core/Diagnostics.h"
#include "kit/PresentationAnimator.h"
#include "kit/Segue.h"
#include "kit/Storyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace velt {

Controller::Controller(QObject* parent) : QObject(parent) {}

Controller::~Controller()
{
    for (const ControllerPtr& child : std::as_const(m_children))
        child->m_parent = nullptr;
    delete m_view.data();
}

ControllerPtr Controller::adopt(Controller* controller)
{
    if (!controller)
        return nullptr;
    ControllerPtr shared(controller, [](Controller* c) { c->deleteLater(); });
    controller->m_self = shared;
    return shared;
}

void Controller::setView(QWidget* view)
{
    if (m_view == view)
        return;
    delete m_view.data();
    m_view = view;
    if (m_view)
        m_view->installEventFilter(this);
}

QRect Controller::frame() const
{
    return m_view ? m_view->geometry() : QRect();
}

void Controller::setFrame(const QRect& frame)
{
    if (m_view)
        m_view->setGeometry(frame);
}

void Controller::setOrigin(const QString& identifier, std::shared_ptr<const Storyboard> storyboard)
{
    m_identifier = identifier;
    m_storyboard = std::move(storyboard);
}

QList<Controller*> Controller::childControllers() const
{
    QList<Controller*> children;
    for (const ControllerPtr& child : m_children)
        children.append(child.get());
    return children;
}

void Controller::addChildController(const ControllerPtr& child)
{
    if (!child || child.get() == this)
        return;
    child->removeFromParentController();
    child->m_parent = this;
    m_children.append(child);
}

void Controller::removeFromParentController()
{
    Controller* parent = std::exchange(m_parent, nullptr);
    if (!parent)
        return;
    // The parent's reference may be the last one: let it go only after this function is done
    // with the object (deletion is deferred anyway).
    for (qsizetype i = 0; i < parent->m_children.size(); ++i) {
        if (parent->m_children.at(i).get() == this) {
            ControllerPtr keep = parent->m_children.takeAt(i);
            return;
        }
    }
}

void Controller::performSegue(const QString& identifier, QObject* sender)
{
    std::unique_ptr<Segue> segue =
        m_storyboard ? m_storyboard->instantiateSegue(m_identifier, identifier, this) : nullptr;
    if (!segue) {
        logLine(QStringLiteral("no segue \"%1\" from \"%2\"").arg(identifier, m_identifier));
        return;
    }
    prepareForSegue(*segue, sender);
    segue->perform();
}

void Controller::prepareForSegue(Segue&, QObject*) {}

void Controller::present(const ControllerPtr& controller,
                         std::shared_ptr<PresentationAnimator> animator)
{
    if (!controller || !animator)
        return;
    controller->m_presentationAnimator = animator;
    controller->m_presentingController = this;
    animator->animatePresentation(controller, this);
}

void Controller::dismiss(Controller* controller)
{
    if (!controller)
        return;
    std::shared_ptr<PresentationAnimator> animator =
        std::exchange(controller->m_presentationAnimator, nullptr);
    if (!animator)
        return;
    Controller* presenting = std::exchange(controller->m_presentingController, nullptr);
    animator->animateDismissal(controller, presenting);
}

void Controller::dismissController(QObject*)
{
    dismiss(this);
}

void Controller::viewDidLoad() {}

void Controller::viewDidAppear()
{
    if (!m_view)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !m_view->isAncestorOf(focus))
        m_view->setFocus(Qt::OtherFocusReason);
}

bool Controller::activateDefaultButton()
{
    if (!m_defaultButton || !m_defaultButton->isVisible() || !m_defaultButton->isEnabled())
        return false;
    m_defaultButton->click();
    return true;
}

bool Controller::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_view)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        // After the show has been painted, as the window system would report it; a view taken
        // away again in between (popping through to the root) does not appear.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_view && m_view->isVisible())
                    viewDidAppear();
            },
            Qt::QueuedConnection);
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (isReturn && modifiers == Qt::NoModifier && m_defaultButton &&
            m_defaultButton->isVisible() && m_defaultButton->isEnabled()) {
            m_defaultButton->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace velt
