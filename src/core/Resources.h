// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace velt {

// The folder that holds the application's own resources (the flashing tool among them). In the
// build tree it is bin/resources beside the program; an installed program uses the libexec
// folder fixed when the build was configured (<prefix>/libexec/velt-firmware-updater by
// default). Empty when that folder does not exist.
QString resourceDirectory();

// Absolute path of the named resource, or empty when it does not exist.
QString resourcePath(const QString& name);

} // namespace velt
