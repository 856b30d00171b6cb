// SPDX-License-Identifier: Apache-2.0
#include "update/Md5.h"

#include <QCryptographicHash>

namespace velt {

QString md5(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

} // namespace velt
