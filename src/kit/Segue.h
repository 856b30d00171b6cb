#pragma once

#include <QObject>
#include <QString>
#include <memory>

namespace velt {

class Controller;

// A transition from a source controller to a freshly built destination controller, described
// by the wiring table. The base class performs nothing; embed segues are carried out by the
// loader and only reach the source's prepareForSegue.
class Segue
{
public:
    Segue(QString identifier, QObject* source, std::shared_ptr<Controller> destination);
    virtual ~Segue();
    Segue(const Segue&) = delete;
    Segue& operator=(const Segue&) = delete;

    const QString& identifier() const { return m_identifier; }
    QObject* sourceController() const { return m_source; }
    const std::shared_ptr<Controller>& destinationController() const { return m_destination; }

    virtual void perform();

private:
    QString m_identifier;
    QObject* m_source;
    std::shared_ptr<Controller> m_destination;
};

} // namespace velt
