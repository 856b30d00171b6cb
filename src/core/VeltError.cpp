#include "core/VeltError.h"

namespace velt {

VeltError VeltError::withDescription(qint64 code, const QString& description)
{
    VeltError error;
    error.code = code;
    error.localizedDescription = description;
    return error;
}

} // namespace velt
