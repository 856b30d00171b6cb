// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QProxyStyle>

namespace velt {

// The application's look over a base style (Fusion): a push button, a list or a check box that
// has the keyboard focus shows it with a frame on all four sides, in a colour that stands out at
// least 3:1 from the control's face and from the window. The base style draws its own marks only
// after a Tab, and faintly; a user who has just come to a page, or who reads the screen
// through a magnifier, must still see where Return and Space will act.
class FocusFrameStyle : public QProxyStyle
{
public:
    explicit FocusFrameStyle(QStyle* base = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // The frame's colour for a palette: its highlight, darkened (or, on a dark palette,
    // lightened) until it stands 4.5:1 from both the button and the window colours, which
    // leaves a margin for the shading of a button's face.
    static QColor frameColor(const QPalette& palette);
    // The contrast ratio of two colours, from 1 (the same) to 21 (black on white), as the
    // accessibility guidelines measure it.
    static double contrast(const QColor& a, const QColor& b);

private:
    void drawFocusFrame(const QStyleOption& option, QPainter& painter, const QRect& rect) const;
};

} // namespace velt
