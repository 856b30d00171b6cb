// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace velt {

// The MD5 digest of the bytes as 32 lower-case hexadecimal digits, e.g.
// "d41d8cd98f00b204e9800998ecf8427e" for no bytes. Any size the buffer can hold is digested
// whole. For bytes that arrive in parts, see Md5Accumulator.
QString md5(const QByteArray& bytes);

// The MD5 digest of the file's bytes in md5()'s form, read in pieces; none when it cannot be
// read, with the reason in *error.
std::optional<QString> md5OfFile(const QString& path, QString* error);

} // namespace velt
