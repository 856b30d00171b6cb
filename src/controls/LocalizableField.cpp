// SPDX-License-Identifier: Apache-2.0
#include "controls/LocalizableField.h"

#include "controls/JapaneseFont.h"
#include "core/Localization.h"

namespace velt {

LocalizableField::LocalizableField(QWidget* parent) : QLabel(parent) {}

void LocalizableField::localize()
{
    if (!m_resourceId.isEmpty())
        setText(localizedString(m_resourceId));
    applyJapaneseFontIfPreferred(*this, preferredLanguages());
}

} // namespace velt
