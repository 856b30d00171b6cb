// SPDX-License-Identifier: Apache-2.0
#include "controls/PaddedButton.h"

#include <cmath>

namespace velt {

PaddedButton::PaddedButton(QWidget* parent) : LocalizableButton(parent)
{
    // Always the raised, rounded push-button look, whatever the layout asked for.
    setFlat(false);
}

QSizeF PaddedButton::paddedSize(const QSizeF& natural, double padding, double minimalWidth)
{
    if (minimalWidth + padding > natural.width())
        return {natural.width() + padding, paddedHeight};
    return natural;
}

QSize PaddedButton::sizeHint() const
{
    const QSizeF size = paddedSize(QSizeF(QPushButton::sizeHint()), m_padding, m_minimalWidth);
    return {int(std::ceil(size.width())), int(std::ceil(size.height()))};
}

} // namespace velt
