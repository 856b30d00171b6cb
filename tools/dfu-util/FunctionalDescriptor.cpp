// SPDX-License-Identifier: Apache-2.0
#include "FunctionalDescriptor.h"

#include "DfuProtocol.h"

namespace velt::dfu {

std::optional<FunctionalDescriptor> findFunctionalDescriptor(std::span<const uint8_t> descriptors)
{
    size_t offset = 0;
    while (offset + 2 <= descriptors.size()) {
        const uint8_t length = descriptors[offset];
        const uint8_t type = descriptors[offset + 1];
        if (length < 2 || offset + length > descriptors.size())
            return std::nullopt;
        if (type == kFunctionalDescriptorType && length >= 7) {
            const uint8_t* p = descriptors.data() + offset;
            FunctionalDescriptor descriptor;
            descriptor.attributes = p[2];
            descriptor.detachTimeoutMs = uint16_t(p[3] | p[4] << 8);
            descriptor.transferSize = uint16_t(p[5] | p[6] << 8);
            if (length >= 9)
                descriptor.dfuVersion = uint16_t(p[7] | p[8] << 8);
            return descriptor;
        }
        offset += length;
    }
    return std::nullopt;
}

} // namespace velt::dfu
