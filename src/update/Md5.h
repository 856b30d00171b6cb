// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

namespace velt {

// The MD5 digest of the bytes as 32 lower-case hexadecimal digits, e.g.
// "d41d8cd98f00b204e9800998ecf8427e" for no bytes.
QString md5(const QByteArray& bytes);

} // namespace velt
