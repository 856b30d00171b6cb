// SPDX-License-Identifier: Apache-2.0
#include "controls/ViewWithBackgroundColor.h"

#include <QPaintEvent>
#include <QPainter>

namespace velt {

ViewWithBackgroundColor::ViewWithBackgroundColor(QWidget* parent) : QWidget(parent) {}

void ViewWithBackgroundColor::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_backgroundColor);
}

} // namespace velt
