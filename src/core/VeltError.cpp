// SPDX-License-Identifier: Apache-2.0
#include "core/VeltError.h"

namespace velt {

VeltError VeltError::withDescription(qint64 code, const QString& description,
                                     const QString& details)
{
    VeltError error;
    error.code = code;
    error.localizedDescription = description;
    error.details = details;
    return error;
}

} // namespace velt
