// SPDX-License-Identifier: Apache-2.0
#include "controls/FocusFrameStyle.h"

#include <QPainter>
#include <QStyleOption>
#include <cmath>

namespace velt {
namespace {

double luminance(const QColor& color)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

constexpr double wantedContrast = 4.5;
// The frame is 2 pixels wide, inside a button's or a list's edge, so nothing around the
// control is painted over and the frame is never clipped.
constexpr int frameWidth = 2;

QRect inside(const QRect& rect)
{
    return rect.adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
}

} // namespace

FocusFrameStyle::FocusFrameStyle(QStyle* base) : QProxyStyle(base) {}

double FocusFrameStyle::contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor FocusFrameStyle::frameColor(const QPalette& palette)
{
    const QColor button = palette.color(QPalette::Button);
    const QColor window = palette.color(QPalette::Window);
    const bool dark = luminance(button) < 0.25;
    QColor color = palette.color(QPalette::Highlight);
    // A handful of steps reach black or white, which stand out from any face of ours.
    for (int step = 0; step < 12; ++step) {
        if (contrast(color, button) >= wantedContrast && contrast(color, window) >= wantedContrast)
            return color;
        color = dark ? color.lighter(125) : color.darker(125);
    }
    return dark ? QColor(Qt::white) : QColor(Qt::black);
}

void FocusFrameStyle::drawFocusFrame(const QStyleOption& option, QPainter& painter,
                                     const QRect& rect) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(frameColor(option.palette));
    // Four bars rather than a stroked rectangle: exact at any scale, corners included.
    const int w = frameWidth;
    painter.drawRect(rect.left(), rect.top(), rect.width(), w);
    painter.drawRect(rect.left(), rect.bottom() + 1 - w, rect.width(), w);
    painter.drawRect(rect.left(), rect.top(), w, rect.height());
    painter.drawRect(rect.right() + 1 - w, rect.top(), w, rect.height());
    painter.restore();
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!option || !painter || !(option->state & State_HasFocus))
        return;
    if (element == CE_PushButton) {
        drawFocusFrame(*option, *painter, inside(option->rect));
    } else if (element == CE_CheckBox) {
        // Around the caption, as the desktops draw it: the box keeps its own look.
        const QRect caption = subElementRect(SE_CheckBoxFocusRect, option, widget);
        drawFocusFrame(*option, *painter,
                       caption.adjusted(-frameWidth, -frameWidth, frameWidth, frameWidth) &
                           option->rect);
    }
}

void FocusFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && option && painter && (option->state & State_HasFocus))
        drawFocusFrame(*option, *painter, inside(option->rect));
}

} // namespace velt
