// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QColor>
#include <QWidget>

namespace velt {

// A plain container that fills itself with one solid colour (black unless the layout says
// otherwise); the pages' header bands are made of it.
class ViewWithBackgroundColor : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)

public:
    explicit ViewWithBackgroundColor(QWidget* parent = nullptr);

    // Writing the colour does not repaint by itself; it shows at the next paint.
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(const QColor& color) { m_backgroundColor = color; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backgroundColor = Qt::black;
};

} // namespace velt
