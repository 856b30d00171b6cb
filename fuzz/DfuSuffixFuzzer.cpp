// SPDX-License-Identifier: Apache-2.0
// Feeds arbitrary files to the flashing tool's image reader. The first four bytes choose the
// device ids the image is checked against, the rest is the file. Checks what the reader
// promises: it never reads out of bounds, it accepts exactly the files whose suffix is absent
// or intact and fits the device, and what it accepts splits back into the file it was given.
#include "DfuFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace velt::dfu;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// The suffix's CRC a byte and a bit at a time, to hold the table-driven one to account.
uint32_t referenceCrc(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return crc;
}

uint16_t le16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

bool fits(uint16_t fileId, uint16_t deviceId)
{
    return fileId == kAnyId || fileId == deviceId;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    const uint16_t vendorId = le16(data);
    const uint16_t productId = le16(data + 2);
    const std::vector<uint8_t> bytes(data + 4, data + size);
    const size_t n = bytes.size();

    require(dfuCrc(bytes) == referenceCrc(bytes.data(), n));

    const DfuFileResult result = parseDfuFile(bytes, vendorId, productId);
    require(result.message.empty() == (result.error == DfuFileError::None));

    const bool marked =
        n >= kSuffixLength && bytes[n - 8] == 'U' && bytes[n - 7] == 'F' && bytes[n - 6] == 'D';
    if (n == 0) {
        require(result.error == DfuFileError::Empty);
    } else if (!marked) {
        // No suffix: the whole file is the payload.
        require(result.error == DfuFileError::None);
        require(!result.file.hasSuffix && result.file.payload == bytes);
    } else {
        const uint8_t* suffix = bytes.data() + n - kSuffixLength;
        const bool intact =
            suffix[11] == kSuffixLength &&
            (uint32_t(suffix[12]) | uint32_t(suffix[13]) << 8 | uint32_t(suffix[14]) << 16 |
             uint32_t(suffix[15]) << 24) == referenceCrc(bytes.data(), n - 4);
        const bool forDevice =
            fits(le16(suffix + 4), vendorId) && fits(le16(suffix + 2), productId);
        if (!intact)
            require(result.error == DfuFileError::Corrupt);
        else if (!forDevice)
            require(result.error == DfuFileError::IdMismatch);
        else if (n == kSuffixLength)
            require(result.error == DfuFileError::Empty);
        else
            require(result.error == DfuFileError::None);
    }

    if (result.error == DfuFileError::None && result.file.hasSuffix) {
        const DfuFile& file = result.file;
        require(file.payload.size() + kSuffixLength == n);
        require(std::equal(file.payload.begin(), file.payload.end(), bytes.begin()));
        if (file.dfuVersion == 0x0100) {
            // The writer makes the same suffix from the fields the reader took out.
            require(withDfuSuffix(file.payload, file.vendorId, file.productId,
                                  file.deviceRelease) == bytes);
        }
    }

    // Whatever the bytes, a suffix the writer adds is read back intact around them.
    if (n > 0) {
        const DfuFileResult wrapped =
            parseDfuFile(withDfuSuffix(bytes, vendorId, productId), vendorId, productId);
        require(wrapped.error == DfuFileError::None && wrapped.file.hasSuffix);
        require(wrapped.file.payload == bytes);
        require(wrapped.file.vendorId == vendorId && wrapped.file.productId == productId);
    }
    return 0;
}
