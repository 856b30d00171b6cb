#include "app/ViewController.h"

#include "app/ContentManagerViewController.h"
#include "kit/Segue.h"

namespace velt {

ViewController::ViewController(QObject* parent) : Controller(parent) {}

std::optional<ViewController::Page> ViewController::pageFromRawValue(int rawValue)
{
    if (rawValue < int(Page::intro) || rawValue > int(Page::end))
        return std::nullopt;
    return Page(rawValue);
}

ContentManagerViewController* ViewController::vcController() const
{
    return m_vcController.get();
}

ContentManagerViewController* ViewController::contentManagerViewController() const
{
    return m_vcController.get();
}

void ViewController::prepareForSegue(Segue& segue, QObject*)
{
    if (auto manager =
            std::dynamic_pointer_cast<ContentManagerViewController>(segue.destinationController()))
        m_vcController = std::move(manager);
}

void ViewController::pushViewController(QObject*)
{
    performSegue(QString::fromLatin1(backForwardSegueIdentifier), this);
}

void ViewController::popViewController(QObject*)
{
    if (m_vcController)
        m_vcController->pop();
}

void ViewController::popToRootViewController(QObject*)
{
    if (m_vcController)
        m_vcController->popToRoot();
}

void ViewController::nextButtonTapped(QObject*) {}

void ViewController::backButtonTapped(QObject*) {}

} // namespace velt
