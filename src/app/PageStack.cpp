// SPDX-License-Identifier: Apache-2.0
#include "app/PageStack.h"

namespace velt {

PageStack::PageStack(QWidget* parent) : QStackedWidget(parent) {}

void PageStack::push(QWidget* page)
{
    if (!page)
        return;
    addWidget(page);
    setCurrentWidget(page);
    emit topPageChanged(page);
}

void PageStack::pop(QWidget* page)
{
    if (!page || page != topPage() || count() <= 1)
        return;
    removeWidget(page);
    setCurrentIndex(count() - 1);
    // Later, not now: the request usually comes from inside the page (its Back button's click,
    // the alert it has just closed), which must not be deleted under its own feet.
    page->hide();
    page->deleteLater();
    emit topPageChanged(topPage());
}

QWidget* PageStack::topPage() const
{
    return count() > 0 ? widget(count() - 1) : nullptr;
}

} // namespace velt
