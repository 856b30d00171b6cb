#pragma once

#include <QString>

namespace velt {

// The folder that holds the application's own resources (the flashing tool among them):
// bin/resources beside the program in the build tree, <prefix>/libexec/velt-firmware-updater
// once installed. Empty when neither exists.
QString resourceDirectory();

// Absolute path of the named resource, or empty when it does not exist.
QString resourcePath(const QString& name);

} // namespace velt
