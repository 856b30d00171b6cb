// SPDX-License-Identifier: Apache-2.0
#include "update/Md5.h"

#include <QCryptographicHash>
#include <QFile>

namespace velt {

QString md5(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

std::optional<QString> md5OfFile(const QString& path, QString* error)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace velt
