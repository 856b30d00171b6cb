// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "controls/LocalizableButton.h"

#include <QSizeF>

namespace velt {

// The wizard's Next buttons: a localizable push button whose natural width is widened by a
// padding while it is narrow, so short captions such as "OK" still make a comfortable target.
class PaddedButton : public LocalizableButton
{
    Q_OBJECT
    Q_PROPERTY(double padding READ padding WRITE setPadding)
    Q_PROPERTY(double minimalWidth READ minimalWidth WRITE setMinimalWidth)

public:
    static constexpr double defaultPadding = 25;
    static constexpr double defaultMinimalWidth = 75;
    static constexpr double paddedHeight = 24;

    explicit PaddedButton(QWidget* parent = nullptr);

    // Changing either does not by itself ask the layout to query the size again.
    double padding() const { return m_padding; }
    void setPadding(double padding) { m_padding = padding; }
    double minimalWidth() const { return m_minimalWidth; }
    void setMinimalWidth(double width) { m_minimalWidth = width; }

    // The natural size for a base natural size: while minimalWidth + padding exceeds the base
    // width, the width grows by the padding and the height becomes 24; otherwise the base size
    // stands. The width is never raised to minimalWidth itself.
    static QSizeF paddedSize(const QSizeF& natural, double padding, double minimalWidth);

    QSize sizeHint() const override;

private:
    double m_padding = defaultPadding;
    double m_minimalWidth = defaultMinimalWidth;
};

} // namespace velt
