#pragma once

#include "kit/Controller.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace velt {

class Segue;

// The wiring table of a set of pages and the controllers it builds. The table is a JSON file
// beside the .ui files it names:
//
//   { "initial": "root",
//     "controllers": {
//       "intro": { "class": "IntroViewController", "layout": "IntroPage.ui",
//                  "defaultButton": "nextButton",
//                  "segues": [ { "identifier": "next", "class": "SegueBetweenEmbedded",
//                                "destination": "selectModel", "trigger": "nextButton" } ],
//                  "actions": [ { "sender": "backButton", "action": "dismissController" } ],
//                  "embed": [ { "destination": "page", "container": "pageContainer" } ] } } }
//
// Building a controller: create it from its class, load its layout, write the outlets (the
// controller's properties named like widgets of the layout, in declaration order), connect
// actions (a button's click or a combo box's pick calls the controller's invokable
// `action(QObject* sender)`) and segue triggers (a button's click performs the segue), run the
// controls' load-completion step, embed the child controllers (each child's view fills its
// container; the parent's prepareForSegue sees an embed segue), then viewDidLoad().
class Storyboard : public std::enable_shared_from_this<Storyboard>
{
public:
    using ControllerFactory = std::function<Controller*()>;
    using SegueFactory = std::function<std::unique_ptr<Segue>(
        const QString& identifier, QObject* source, ControllerPtr destination)>;

    // Classes the tables may name, registered once at start-up by the libraries that define
    // them. Names are class names without namespace.
    static void registerControllerClass(const QString& name, ControllerFactory factory);
    static void registerSegueClass(const QString& name, SegueFactory factory);
    template <class T> static void registerControllerClass()
    {
        registerControllerClass(className(T::staticMetaObject), [] { return new T; });
    }
    template <class T> static void registerSegueClass(const QString& name)
    {
        registerSegueClass(name,
                           [](const QString& identifier, QObject* source,
                              ControllerPtr destination) -> std::unique_ptr<Segue> {
                               return std::make_unique<T>(identifier, source,
                                                          std::move(destination));
                           });
    }
    static QString className(const QMetaObject& meta);

    // Reads a wiring table; null with the reason in *error when it cannot be read.
    static std::shared_ptr<Storyboard> load(const QString& tablePath, QString* error = nullptr);

    QString initialControllerIdentifier() const { return m_initial; }
    QStringList controllerIdentifiers() const { return m_entries.keys(); }

    // A freshly built controller of that entry; null (with a diagnostic line) when the entry,
    // its class or its layout is missing.
    ControllerPtr instantiateController(const QString& identifier) const;
    ControllerPtr instantiateInitialController() const;

    // The segue of that identifier from the given entry, with a freshly built destination;
    // null when there is none.
    std::unique_ptr<Segue> instantiateSegue(const QString& sourceIdentifier,
                                            const QString& segueIdentifier,
                                            Controller* source) const;

private:
    struct SegueEntry
    {
        QString identifier;
        QString className;
        QString destination;
        QString trigger;
    };
    struct ActionEntry
    {
        QString sender;
        QString action;
    };
    struct EmbedEntry
    {
        QString destination;
        QString container;
    };
    struct Entry
    {
        QString className;
        QString layout;
        QString defaultButton;
        QList<SegueEntry> segues;
        QList<ActionEntry> actions;
        QList<EmbedEntry> embeds;
    };

    void connectOutlets(Controller& controller, QWidget& view) const;
    void connectActions(Controller& controller, QWidget& view, const Entry& entry) const;
    void embedChildren(Controller& controller, QWidget& view, const Entry& entry) const;

    QString m_directory;
    QString m_initial;
    QHash<QString, Entry> m_entries;
};

} // namespace velt
