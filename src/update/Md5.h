// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QString>

namespace velt {

// The MD5 digest of the bytes as 32 lower-case hexadecimal digits, e.g.
// "d41d8cd98f00b204e9800998ecf8427e" for no bytes.
QString md5(const QByteArray& bytes);

// The digest of everything added to the hash so far, in md5()'s form: every digest this
// application compares with the catalogue's is written this one way.
QString hexDigest(const QCryptographicHash& hash);

} // namespace velt
