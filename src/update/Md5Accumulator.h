// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArrayView>
#include <QCryptographicHash>
#include <QString>

namespace velt {

// MD5 of bytes fed in parts, in order, so that a download can be hashed as it arrives instead
// of once more at the end. hexDigest() of the parts equals md5() of their concatenation.
class Md5Accumulator
{
public:
    void addData(QByteArrayView bytes) { m_hash.addData(bytes); }

    // The digest of everything added so far, in md5()'s form. More data may follow.
    QString hexDigest() const;

private:
    QCryptographicHash m_hash{QCryptographicHash::Md5};
};

} // namespace velt
