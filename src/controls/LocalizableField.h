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

    // Writing the key only stores it; the text changes at the end of loading.
    QString resourceId() const { return m_resourceId; }
    void setResourceId(const QString& key) { m_resourceId = key; }

    // Called once the page layout has been loaded.
    Q_INVOKABLE void awakeFromLayout();

private:
    QString m_resourceId;
};

} // namespace velt
