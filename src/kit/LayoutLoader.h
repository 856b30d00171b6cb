#pragma once

#include <QUiLoader>

namespace velt {

// Builds a view from a Designer .ui file, creating our own control classes (the localizable
// controls, PaddedButton, ViewWithBackgroundColor) by their class names.
class LayoutLoader : public QUiLoader
{
    Q_OBJECT

public:
    explicit LayoutLoader(QObject* parent = nullptr);

    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;

    // Loads the file; null (with the reason in errorString()) when it cannot be read or built.
    QWidget* loadFile(const QString& path, QWidget* parent = nullptr);

    // Runs the load-completion step (awakeFromLayout) of every object of a loaded view that
    // has one, the view included, and gives widgets with an "accessibleNameId" property the
    // accessible name of that message key.
    static void awakeFromLayout(QWidget* view);
};

} // namespace velt
