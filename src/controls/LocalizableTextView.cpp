// SPDX-License-Identifier: Apache-2.0
#include "controls/LocalizableTextView.h"

#include "controls/JapaneseFont.h"
#include "core/Localization.h"

namespace velt {

LocalizableTextView::LocalizableTextView(QWidget* parent) : QTextEdit(parent) {}

void LocalizableTextView::localize()
{
    if (!m_resourceId.isEmpty())
        setPlainText(localizedString(m_resourceId));
    applyJapaneseFontIfPreferred(*this, preferredLanguages());
}

} // namespace velt
