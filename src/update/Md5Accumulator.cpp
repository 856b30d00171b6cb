// SPDX-License-Identifier: Apache-2.0
#include "update/Md5Accumulator.h"

namespace velt {

QString Md5Accumulator::hexDigest() const
{
    return QString::fromLatin1(m_hash.result().toHex());
}

} // namespace velt
