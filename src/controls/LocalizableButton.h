#pragma once

#include <QPushButton>

namespace velt {

// A push button whose title is the text of a message key given by the page layout.
class LocalizableButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString resourceId READ resourceId WRITE setResourceId)

public:
    explicit LocalizableButton(QWidget* parent = nullptr);

    // Writing the key only stores it; the title changes at the end of loading.
    QString resourceId() const { return m_resourceId; }
    void setResourceId(const QString& key) { m_resourceId = key; }

    // Called once the page layout has been loaded: puts the key's text into the title and
    // switches to the Japanese font for a Japanese-first user.
    Q_INVOKABLE void awakeFromLayout();

private:
    QString m_resourceId;
};

} // namespace velt
