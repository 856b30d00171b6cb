// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/VeltError.h"

namespace velt {

// The application's alert: a modal message box with the error's localized description and a
// single default OK button; the error's details, when it has any, behind "Show Details...".
// Installed as the alert presenter at start-up.
void showAlertBox(const VeltError& error);

} // namespace velt
