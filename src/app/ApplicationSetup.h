// SPDX-License-Identifier: Apache-2.0
#pragma once

class QApplication;

namespace velt {

// Everything the program sets up before it builds its window: names and version, look, the
// message table of the user's language, the firmware server (VELT_FIRMWARE_SERVER) and the
// alert box. Quitting is left to the application delegate.
void setUpApplication(QApplication& application);

} // namespace velt
