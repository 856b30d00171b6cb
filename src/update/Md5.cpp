// SPDX-License-Identifier: Apache-2.0
#include "update/Md5.h"

namespace velt {

QString md5(const QByteArray& bytes)
{
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(bytes);
    return hexDigest(hash);
}

QString hexDigest(const QCryptographicHash& hash)
{
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace velt
