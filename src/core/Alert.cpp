// SPDX-License-Identifier: Apache-2.0
#include "core/Alert.h"

#include "core/Diagnostics.h"

namespace velt {
namespace {
AlertPresenter& installedPresenter()
{
    static AlertPresenter presenter;
    return presenter;
}
} // namespace

void setAlertPresenter(AlertPresenter presenter)
{
    installedPresenter() = std::move(presenter);
}

void presentAlert(const VeltError& error)
{
    if (const AlertPresenter& presenter = installedPresenter()) {
        presenter(error);
        return;
    }
    // Without a window toolkit (a headless tool) the message must still reach someone.
    logLine(QStringLiteral("alert: ") + error.localizedDescription);
}

} // namespace velt
