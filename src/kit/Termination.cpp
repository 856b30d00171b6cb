#include "kit/Termination.h"

#include "core/Diagnostics.h"

#include <QCoreApplication>

namespace velt {
namespace {
TerminationHandler& installedHandler()
{
    static TerminationHandler handler;
    return handler;
}
} // namespace

void setTerminationHandler(TerminationHandler handler)
{
    installedHandler() = std::move(handler);
}

void requestTermination()
{
    if (const TerminationHandler& handler = installedHandler()) {
        handler();
        return;
    }
    logLine(QStringLiteral("terminating without an application delegate"));
    QCoreApplication::quit();
}

} // namespace velt
