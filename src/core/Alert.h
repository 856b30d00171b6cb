// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"

#include <functional>

namespace velt {

// Shows an error to the user as a modal alert and returns once the user has dismissed it.
// Main thread only. The application installs the window toolkit's alert box at start-up;
// tests install a presenter that records what was said.
using AlertPresenter = std::function<void(const VeltError&)>;

void setAlertPresenter(AlertPresenter presenter);
void presentAlert(const VeltError& error);

} // namespace velt
