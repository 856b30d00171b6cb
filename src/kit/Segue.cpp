#include "kit/Segue.h"

#include "kit/Controller.h"

namespace velt {

Segue::Segue(QString identifier, QObject* source, std::shared_ptr<Controller> destination)
    : m_identifier(std::move(identifier)), m_source(source), m_destination(std::move(destination))
{
}

Segue::~Segue() = default;

void Segue::perform() {}

} // namespace velt
