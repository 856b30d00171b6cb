// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLabel>

namespace velt {

// A text label whose text is the text of a message key given by the page layout.
class LocalizableField : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString resourceId READ resourceId WRITE setResourceId)

public:
    explicit LocalizableField(QWidget* parent = nullptr);

    // Writing the key only stores it: the form sets the font after it; localize() applies both.
    QString resourceId() const { return m_resourceId; }
    void setResourceId(const QString& key) { m_resourceId = key; }

    // Puts the key's text in and switches to the Japanese font for a Japanese-first user.
    void localize();

private:
    QString m_resourceId;
};

} // namespace velt
