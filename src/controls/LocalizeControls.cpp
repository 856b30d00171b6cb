// SPDX-License-Identifier: Apache-2.0
#include "controls/LocalizeControls.h"

#include "controls/LocalizableButton.h"
#include "controls/LocalizableField.h"
#include "controls/LocalizableTextView.h"
#include "core/Localization.h"

namespace velt {

void localizeControls(QWidget& page)
{
    for (QWidget* widget : page.findChildren<QWidget*>()) {
        const QVariant accessibleKey = widget->property("accessibleNameId");
        if (accessibleKey.isValid())
            widget->setAccessibleName(localizedString(accessibleKey.toString()));
        if (auto* button = qobject_cast<LocalizableButton*>(widget))
            button->localize();
        else if (auto* field = qobject_cast<LocalizableField*>(widget))
            field->localize();
        else if (auto* textView = qobject_cast<LocalizableTextView*>(widget))
            textView->localize();
    }
    // A screen reader announces the page by its name when the focus moves into it.
    if (const auto* title = page.findChild<LocalizableField*>(QStringLiteral("titleLabel")))
        page.setAccessibleName(title->text());
}

} // namespace velt
