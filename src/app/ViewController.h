#pragma once

#include "app/ContentManagerViewControllerHolder.h"
#include "kit/Controller.h"

#include <optional>

namespace velt {

class ContentManagerViewController;

// The main window's content: a frame around the embedded page stack, with entry points to move
// the stack from the window.
class ViewController : public Controller, public ContentManagerViewControllerHolder
{
    Q_OBJECT
    Q_PROPERTY(QWidget* contentView READ contentView WRITE setContentView)

public:
    // The wizard's phases.
    enum class Page { intro = 0, selectDevice = 1, end = 2 };
    static std::optional<Page> pageFromRawValue(int rawValue);

    static constexpr const char* backForwardSegueIdentifier = "CustomSegueToBackForward";

    explicit ViewController(QObject* parent = nullptr);

    ContentManagerViewController* vcController() const;
    ContentManagerViewController* contentManagerViewController() const override;

    QWidget* contentView() const { return m_contentView; }
    void setContentView(QWidget* view) { m_contentView = view; }
    Page currentPage() const { return m_currentPage; }
    void setCurrentPage(Page page) { m_currentPage = page; }

    // Remembers the embedded page stack; any other segue leaves it as it was.
    void prepareForSegue(Segue& segue, QObject* sender) override;

    Q_INVOKABLE void pushViewController(QObject* sender);
    Q_INVOKABLE void popViewController(QObject* sender);
    Q_INVOKABLE void popToRootViewController(QObject* sender);
    // Wizard navigation goes through segues and dismissals; these are kept for layouts that
    // want a control bound to something harmless.
    Q_INVOKABLE void nextButtonTapped(QObject* sender);
    Q_INVOKABLE void backButtonTapped(QObject* sender);

private:
    std::shared_ptr<ContentManagerViewController> m_vcController;
    QPointer<QWidget> m_contentView;
    Page m_currentPage = Page::intro;
};

} // namespace velt
