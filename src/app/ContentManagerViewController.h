#pragma once

#include "kit/Controller.h"

namespace velt {

// Keeps the wizard's pages as a stack and shows exactly one of them, the top. Only the page on
// screen is a child controller and has its view inside this controller's view; covered pages
// keep their state but are detached. The root (first) page is never popped.
class ContentManagerViewController : public Controller
{
    Q_OBJECT
    Q_PROPERTY(QWidget* subViewControllerManager READ subViewControllerManager WRITE
                   setSubViewControllerManager)

public:
    explicit ContentManagerViewController(QObject* parent = nullptr);

    const QList<ControllerPtr>& viewControllerStack() const { return m_viewControllerStack; }
    Controller* currentViewController() const { return m_currentViewController.get(); }
    QWidget* subViewControllerManager() const { return m_subViewControllerManager; }
    void setSubViewControllerManager(QWidget* view) { m_subViewControllerManager = view; }

    // Shows a page in the frame of the page on screen, on top; does not change the stack.
    void attach(const ControllerPtr& page);
    // Takes the page on screen away; it stays current so the next attach can take its frame.
    void detachCurrent();

    void push(const ControllerPtr& page);
    void pop();
    void popToRoot();

    // The embed segue that places the first page registers it as the root of the stack.
    void prepareForSegue(Segue& segue, QObject* sender) override;

private:
    QList<ControllerPtr> m_viewControllerStack;
    QPointer<QWidget> m_subViewControllerManager;
    ControllerPtr m_currentViewController;
};

} // namespace velt
