// SPDX-License-Identifier: Apache-2.0
#include "controls/LocalizableButton.h"

#include "controls/JapaneseFont.h"
#include "core/Localization.h"

namespace velt {

LocalizableButton::LocalizableButton(QWidget* parent) : QPushButton(parent) {}

void LocalizableButton::localize()
{
    if (!m_resourceId.isEmpty())
        setText(localizedString(m_resourceId));
    applyJapaneseFontIfPreferred(*this, preferredLanguages());
}

} // namespace velt
