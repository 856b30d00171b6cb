// SPDX-License-Identifier: Apache-2.0
#pragma once

class QApplication;

namespace velt {

// The application's name and version, as --version and the diagnostics show them. Needs no
// application object, so the command line can answer before the window system is reached.
void nameApplication();

// Everything the program sets up before it builds its window: names and version, look, the
// message table of the user's language, the system's proxy settings, the firmware server
// (VELT_FIRMWARE_SERVER) and the alert box. Quitting is left to the application delegate.
void setUpApplication(QApplication& application);

} // namespace velt
