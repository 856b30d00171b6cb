#include "kit/Storyboard.h"

#include "core/Diagnostics.h"
#include "kit/LayoutLoader.h"
#include "kit/Segue.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <QVBoxLayout>

namespace velt {
namespace {

QHash<QString, Storyboard::ControllerFactory>& controllerClasses()
{
    static QHash<QString, Storyboard::ControllerFactory> classes;
    return classes;
}

QHash<QString, Storyboard::SegueFactory>& segueClasses()
{
    static QHash<QString, Storyboard::SegueFactory> classes;
    return classes;
}

QString text(const QJsonObject& object, const char* key)
{
    return object.value(QLatin1String(key)).toString();
}

// Puts a child's view into a container so that it fills it.
void embedView(QWidget& container, QWidget& child)
{
    auto* layout = container.layout();
    if (!layout) {
        layout = new QVBoxLayout(&container);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(&child);
}

} // namespace

void Storyboard::registerControllerClass(const QString& name, ControllerFactory factory)
{
    controllerClasses().insert(name, std::move(factory));
}

void Storyboard::registerSegueClass(const QString& name, SegueFactory factory)
{
    segueClasses().insert(name, std::move(factory));
}

QString Storyboard::className(const QMetaObject& meta)
{
    return QString::fromLatin1(meta.className()).section(QStringLiteral("::"), -1);
}

std::shared_ptr<Storyboard> Storyboard::load(const QString& tablePath, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return nullptr;
    };
    QFile file(tablePath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1").arg(tablePath));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject())
        return fail(QStringLiteral("%1: %2").arg(tablePath, parseError.errorString()));

    auto storyboard = std::make_shared<Storyboard>();
    storyboard->m_directory = QFileInfo(tablePath).absolutePath();
    const QJsonObject root = document.object();
    storyboard->m_initial = text(root, "initial");
    const QJsonObject controllers = root.value(QLatin1String("controllers")).toObject();
    for (auto it = controllers.begin(); it != controllers.end(); ++it) {
        const QJsonObject object = it.value().toObject();
        Entry entry;
        entry.className = text(object, "class");
        entry.layout = text(object, "layout");
        entry.defaultButton = text(object, "defaultButton");
        for (const QJsonValue value : object.value(QLatin1String("segues")).toArray()) {
            const QJsonObject segue = value.toObject();
            entry.segues.append({text(segue, "identifier"), text(segue, "class"),
                                 text(segue, "destination"), text(segue, "trigger")});
        }
        for (const QJsonValue value : object.value(QLatin1String("actions")).toArray()) {
            const QJsonObject action = value.toObject();
            entry.actions.append({text(action, "sender"), text(action, "action")});
        }
        for (const QJsonValue value : object.value(QLatin1String("embed")).toArray()) {
            const QJsonObject embed = value.toObject();
            entry.embeds.append({text(embed, "destination"), text(embed, "container")});
        }
        if (entry.className.isEmpty() || entry.layout.isEmpty())
            return fail(
                QStringLiteral("%1: \"%2\" needs a class and a layout").arg(tablePath, it.key()));
        storyboard->m_entries.insert(it.key(), entry);
    }
    if (!storyboard->m_entries.contains(storyboard->m_initial))
        return fail(QStringLiteral("%1: no initial controller").arg(tablePath));
    return storyboard;
}

ControllerPtr Storyboard::instantiateInitialController() const
{
    return instantiateController(m_initial);
}

ControllerPtr Storyboard::instantiateController(const QString& identifier) const
{
    const auto entry = m_entries.constFind(identifier);
    if (entry == m_entries.constEnd()) {
        logLine(QStringLiteral("layout fault: no controller \"%1\"").arg(identifier));
        return nullptr;
    }
    const auto factory = controllerClasses().constFind(entry->className);
    if (factory == controllerClasses().constEnd()) {
        logLine(QStringLiteral("layout fault: unknown class %1").arg(entry->className));
        return nullptr;
    }
    LayoutLoader loader;
    QWidget* view = loader.loadFile(QDir(m_directory).filePath(entry->layout));
    if (!view) {
        logLine(QStringLiteral("layout fault: %1: %2").arg(entry->layout, loader.errorString()));
        return nullptr;
    }

    ControllerPtr controller = Controller::adopt((*factory)());
    controller->setOrigin(identifier, shared_from_this());
    controller->setView(view);
    connectOutlets(*controller, *view);
    connectActions(*controller, *view, *entry);
    LayoutLoader::awakeFromLayout(view);
    embedChildren(*controller, *view, *entry);
    controller->viewDidLoad();
    return controller;
}

std::unique_ptr<Segue> Storyboard::instantiateSegue(const QString& sourceIdentifier,
                                                    const QString& segueIdentifier,
                                                    Controller* source) const
{
    const auto entry = m_entries.constFind(sourceIdentifier);
    if (entry == m_entries.constEnd())
        return nullptr;
    for (const SegueEntry& segue : entry->segues) {
        if (segue.identifier != segueIdentifier)
            continue;
        const auto factory = segueClasses().constFind(segue.className);
        if (factory == segueClasses().constEnd()) {
            logLine(QStringLiteral("layout fault: unknown segue class %1").arg(segue.className));
            return nullptr;
        }
        return (*factory)(segue.identifier, source, instantiateController(segue.destination));
    }
    return nullptr;
}

void Storyboard::connectOutlets(Controller& controller, QWidget& view) const
{
    const QMetaObject* meta = controller.metaObject();
    // Only the properties the controller classes declare, base class first, each class's in
    // declaration order: a page relies on that order for its setters.
    for (int i = Controller::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        QWidget* widget = view.findChild<QWidget*>(QString::fromLatin1(property.name()));
        if (!widget)
            continue;
        if (!property.write(&controller, QVariant::fromValue(static_cast<QObject*>(widget))))
            logLine(QStringLiteral("layout fault: outlet %1 cannot take a %2")
                        .arg(QString::fromLatin1(property.name()),
                             QString::fromLatin1(widget->metaObject()->className())));
    }
}

void Storyboard::connectActions(Controller& controller, QWidget& view, const Entry& entry) const
{
    Controller* target = &controller;
    for (const ActionEntry& action : entry.actions) {
        QWidget* sender = view.findChild<QWidget*>(action.sender);
        const QByteArray signature = action.action.toLatin1() + "(QObject*)";
        if (!sender || controller.metaObject()->indexOfMethod(signature.constData()) < 0) {
            logLine(
                QStringLiteral("layout fault: action %1 of %2").arg(action.action, action.sender));
            continue;
        }
        const QByteArray name = action.action.toLatin1();
        auto invoke = [target, sender, name] {
            QMetaObject::invokeMethod(target, name.constData(), Qt::DirectConnection,
                                      Q_ARG(QObject*, sender));
        };
        if (auto* button = qobject_cast<QAbstractButton*>(sender))
            QObject::connect(button, &QAbstractButton::clicked, target, invoke);
        else if (auto* comboBox = qobject_cast<QComboBox*>(sender))
            QObject::connect(comboBox, &QComboBox::activated, target, invoke);
    }
    for (const SegueEntry& segue : entry.segues) {
        if (segue.trigger.isEmpty())
            continue;
        auto* button = view.findChild<QAbstractButton*>(segue.trigger);
        if (!button) {
            logLine(QStringLiteral("layout fault: no trigger %1").arg(segue.trigger));
            continue;
        }
        const QString identifier = segue.identifier;
        QObject::connect(button, &QAbstractButton::clicked, target, [target, button, identifier] {
            target->performSegue(identifier, button);
        });
    }
    if (!entry.defaultButton.isEmpty())
        controller.setDefaultButton(view.findChild<QAbstractButton*>(entry.defaultButton));
}

void Storyboard::embedChildren(Controller& controller, QWidget& view, const Entry& entry) const
{
    for (const EmbedEntry& embed : entry.embeds) {
        QWidget* container =
            embed.container.isEmpty() ? &view : view.findChild<QWidget*>(embed.container);
        ControllerPtr child = instantiateController(embed.destination);
        if (!container || !child) {
            logLine(QStringLiteral("layout fault: cannot embed %1").arg(embed.destination));
            continue;
        }
        controller.addChildController(child);
        embedView(*container, *child->view());
        Segue segue(QStringLiteral("embed"), &controller, child);
        controller.prepareForSegue(segue, nullptr);
    }
}

} // namespace velt
