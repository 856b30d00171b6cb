#include "app/ContentManagerViewController.h"

#include "kit/Segue.h"

namespace velt {

ContentManagerViewController::ContentManagerViewController(QObject* parent) : Controller(parent) {}

void ContentManagerViewController::prepareForSegue(Segue& segue, QObject*)
{
    const ControllerPtr& page = segue.destinationController();
    if (!page)
        return;
    m_currentViewController = page;
    m_viewControllerStack.append(page);
}

void ContentManagerViewController::attach(const ControllerPtr& page)
{
    if (!page || !page->view() || !view())
        return;
    addChildController(page);
    QWidget* pageView = page->view();
    pageView->setParent(view());
    if (m_currentViewController)
        page->setFrame(m_currentViewController->frame());
    pageView->raise();
    pageView->show();
    m_currentViewController = page;
}

void ContentManagerViewController::detachCurrent()
{
    if (!m_currentViewController)
        return;
    if (QWidget* pageView = m_currentViewController->view()) {
        // Reparenting keeps the geometry, which the next attach copies.
        pageView->hide();
        pageView->setParent(nullptr);
    }
    m_currentViewController->removeFromParentController();
}

void ContentManagerViewController::push(const ControllerPtr& page)
{
    if (!page)
        return;
    detachCurrent();
    m_viewControllerStack.append(page);
    attach(page);
}

void ContentManagerViewController::pop()
{
    if (m_viewControllerStack.size() <= 1)
        return;
    detachCurrent();
    m_viewControllerStack.removeLast();
    attach(m_viewControllerStack.last());
}

void ContentManagerViewController::popToRoot()
{
    while (m_viewControllerStack.size() > 1)
        pop();
}

} // namespace velt
