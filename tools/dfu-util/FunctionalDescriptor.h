// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace velt::dfu {

// The DFU functional descriptor (type 0x21): 9 bytes in DFU 1.1, 7 in DFU 1.0 (no
// bcdDFUVersion).
struct FunctionalDescriptor
{
    enum Attribute : uint8_t {
        CanDownload = 0x01,
        ManifestationTolerant = 0x04,
        WillDetach = 0x08,
    };

    uint8_t attributes = 0;
    uint16_t detachTimeoutMs = 0;
    uint16_t transferSize = 0;
    uint16_t dfuVersion = 0; // 0 when the descriptor is the 7-byte DFU 1.0 one

    bool has(Attribute attribute) const { return (attributes & attribute) != 0; }
};

// Walks a run of descriptors (bLength, bDescriptorType, ...) and parses the first functional
// descriptor in it. A descriptor that claims more bytes than remain ends the walk.
std::optional<FunctionalDescriptor> findFunctionalDescriptor(std::span<const uint8_t> descriptors);

} // namespace velt::dfu
