#include "kit/LayoutLoader.h"

#include "controls/LocalizableButton.h"
#include "controls/LocalizableField.h"
#include "controls/LocalizableTextView.h"
#include "controls/PaddedButton.h"
#include "controls/ViewWithBackgroundColor.h"
#include "core/Localization.h"

#include <QFile>
#include <QMetaMethod>
#include <QPointer>
#include <functional>

namespace velt {
namespace {

QWidget* createControl(const QString& className, QWidget* parent)
{
    static const QHash<QString, std::function<QWidget*(QWidget*)>> factories = {
        {QStringLiteral("LocalizableButton"),
         [](QWidget* p) {
             return new LocalizableButton(p);
         }},
        {QStringLiteral("LocalizableField"),
         [](QWidget* p) {
             return new LocalizableField(p);
         }},
        {QStringLiteral("LocalizableTextView"),
         [](QWidget* p) {
             return new LocalizableTextView(p);
         }},
        {QStringLiteral("PaddedButton"),
         [](QWidget* p) {
             return new PaddedButton(p);
         }},
        {QStringLiteral("ViewWithBackgroundColor"),
         [](QWidget* p) {
             return new ViewWithBackgroundColor(p);
         }},
    };
    const auto factory = factories.constFind(className);
    return factory == factories.constEnd() ? nullptr : (*factory)(parent);
}

void awake(QObject* object)
{
    // Accessible names are static texts too: the layout gives their keys.
    const QVariant accessibleKey = object->property("accessibleNameId");
    if (auto* widget = qobject_cast<QWidget*>(object); widget && accessibleKey.isValid())
        widget->setAccessibleName(localizedString(accessibleKey.toString()));

    const QMetaObject* meta = object->metaObject();
    if (meta->indexOfMethod("awakeFromLayout()") >= 0)
        QMetaObject::invokeMethod(object, "awakeFromLayout", Qt::DirectConnection);
}

} // namespace

LayoutLoader::LayoutLoader(QObject* parent) : QUiLoader(parent)
{
    // Texts reach the screen through the controls' message keys only. Layouts also mark their
    // strings notr="true": with an id-based table installed, the loader would otherwise look
    // a key written in the layout up as a source text.
    setTranslationEnabled(false);
}

QWidget* LayoutLoader::createWidget(const QString& className, QWidget* parent, const QString& name)
{
    if (QWidget* control = createControl(className, parent)) {
        control->setObjectName(name);
        return control;
    }
    return QUiLoader::createWidget(className, parent, name);
}

QWidget* LayoutLoader::loadFile(const QString& path, QWidget* parent)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return load(&file, parent);
}

void LayoutLoader::awakeFromLayout(QWidget* view)
{
    if (!view)
        return;
    // Controls are widgets; a control's own helper objects (a text view's document frames)
    // may be replaced while it awakes, so only widgets are visited, each checked still alive.
    QList<QPointer<QWidget>> widgets{view};
    for (QWidget* widget : view->findChildren<QWidget*>())
        widgets.append(widget);
    for (const QPointer<QWidget>& widget : std::as_const(widgets)) {
        if (widget)
            awake(widget);
    }
}

} // namespace velt
