#pragma once

#include <QAbstractButton>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <memory>

namespace velt {

class Controller;
class PresentationAnimator;
class Segue;
class Storyboard;

using ControllerPtr = std::shared_ptr<Controller>;

// Manages one view: the window's root, a container, or a page of the wizard. Controllers are
// shared: the page stack, a parent's child list and background work may each hold one, and the
// last owner to let go schedules the deletion on the controller's own thread (deleteLater), so
// a controller never disappears under a running member function or off the main thread.
//
// Outlets are Q_PROPERTYs of the subclasses; the loader (Storyboard) writes each property whose
// name is the object name of a widget of the layout, in declaration order, so the setters are
// where a page sets its controls up.
class Controller : public QObject
{
    Q_OBJECT

public:
    explicit Controller(QObject* parent = nullptr);
    ~Controller() override;

    // Takes shared ownership of a controller created with new.
    static ControllerPtr adopt(Controller* controller);
    // Another shared reference to this controller; null for one never adopted. Work that
    // outlives a call (a background task, a queued report) keeps the controller alive with it.
    ControllerPtr sharedFromThis() const { return m_self.lock(); }

    QWidget* view() const { return m_view; }
    // Takes ownership of the view.
    void setView(QWidget* view);

    // The view's geometry in its parent's coordinates.
    QRect frame() const;
    void setFrame(const QRect& frame);

    // The entry of the wiring table this controller was built from (empty when built by hand).
    QString identifier() const { return m_identifier; }
    const std::shared_ptr<const Storyboard>& storyboard() const { return m_storyboard; }
    void setOrigin(const QString& identifier, std::shared_ptr<const Storyboard> storyboard);

    // Child controllers (held strongly by their parent).
    Controller* parentController() const { return m_parent; }
    QList<Controller*> childControllers() const;
    void addChildController(const ControllerPtr& child);
    void removeFromParentController();

    // Runs the wiring table's segue of that identifier from this controller: builds a fresh
    // destination, lets this controller prepare, then performs the segue. Does nothing (with a
    // diagnostic line) when the table has no such segue.
    void performSegue(const QString& identifier, QObject* sender);
    virtual void prepareForSegue(Segue& segue, QObject* sender);

    // Presents a controller through an animator, which is told again when that controller is
    // dismissed. dismiss() acts on the controller given (any controller may dismiss itself);
    // dismissing a controller that is not presented, or twice, does nothing.
    void present(const ControllerPtr& controller, std::shared_ptr<PresentationAnimator> animator);
    void dismiss(Controller* controller);
    bool isPresented() const { return m_presentationAnimator != nullptr; }
    Controller* presentingController() const { return m_presentingController; }

    // The action a layout wires to a Back button: dismisses this controller.
    Q_INVOKABLE void dismissController(QObject* sender);

    // The button the Return key clicks while focus is inside the view, when it is visible and
    // enabled.
    QAbstractButton* defaultButton() const { return m_defaultButton; }
    void setDefaultButton(QAbstractButton* button) { m_defaultButton = button; }
    // Clicks the default button when it is visible and enabled; returns whether it did.
    bool activateDefaultButton();

    // Called once the view and its outlets have been set up by the loader.
    virtual void viewDidLoad();
    // Called each time the view has been shown in the window, once the event loop has painted
    // it; not called when the view is hidden again before then. The base moves the keyboard
    // focus into the view when it is elsewhere.
    virtual void viewDidAppear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::weak_ptr<Controller> m_self;
    QPointer<QWidget> m_view;
    QString m_identifier;
    std::shared_ptr<const Storyboard> m_storyboard;
    Controller* m_parent = nullptr;
    QList<ControllerPtr> m_children;
    std::shared_ptr<PresentationAnimator> m_presentationAnimator;
    QPointer<Controller> m_presentingController;
    QPointer<QAbstractButton> m_defaultButton;
};

} // namespace velt
