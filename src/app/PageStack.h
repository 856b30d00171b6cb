// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStackedWidget>

namespace velt {

// The wizard's pages, one on top of the other; only the top one shows. The first page pushed is
// the root. The stack owns its pages: a popped page is deleted.
class PageStack : public QStackedWidget
{
    Q_OBJECT

public:
    explicit PageStack(QWidget* parent = nullptr);

    // Puts a freshly built page on top and shows it.
    void push(QWidget* page);
    // Takes page off the stack and deletes it, but only while it is the top page and not the
    // root: a second request for a page already gone, or for one covered since, changes
    // nothing.
    void pop(QWidget* page);
    // The page on screen; null while the stack is empty.
    QWidget* topPage() const;

signals:
    // A page has become the top page, after a push or a pop.
    void topPageChanged(QWidget* page);
};

} // namespace velt
