#include "pages/DocumentTextView.h"

#include <QScrollArea>
#include <QTextEdit>

namespace velt {

QTextEdit* documentTextView(QScrollArea* scrollView)
{
    if (!scrollView || !scrollView->widget())
        return nullptr;
    if (auto* textView = qobject_cast<QTextEdit*>(scrollView->widget()))
        return textView;
    return scrollView->widget()->findChild<QTextEdit*>();
}

} // namespace velt
