// SPDX-License-Identifier: Apache-2.0
// A firmware image as the DFU file format stores it: the payload for the device followed by a
// 16-byte suffix (ids, format version, "UFD", length, CRC). Checked before any USB traffic, so
// a wrong or damaged file never reaches a device.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace velt::dfu {

constexpr size_t kSuffixLength = 16;
// In the suffix's idVendor / idProduct: fits any device.
constexpr uint16_t kAnyId = 0xFFFF;
// The largest image the tool accepts: far above the flash of any device it writes (16 MiB), and
// low enough that a wrong file never makes it hold gigabytes in memory.
constexpr size_t kMaxImageSize = size_t(256) << 20;

enum class DfuFileError {
    None,
    Unreadable, // cannot be opened or read, or not a regular file
    TooLarge,   // larger than kMaxImageSize
    Empty,      // no payload to send
    Corrupt,    // "UFD" present but length or CRC wrong
    IdMismatch, // the suffix names another device
};

struct DfuFile
{
    std::vector<uint8_t> payload;
    bool hasSuffix = false;
    uint16_t vendorId = kAnyId;
    uint16_t productId = kAnyId;
    uint16_t deviceRelease = kAnyId;
    uint16_t dfuVersion = 0;
};

struct DfuFileResult
{
    DfuFile file;
    DfuFileError error = DfuFileError::None;
    std::string message; // one line saying what is wrong, empty on success
};

// Reflected CRC-32 (polynomial 0x04C11DB7), initial value 0xFFFFFFFF and no final inversion:
// the suffix's dwCRC. It equals the bitwise NOT of zlib's crc32.
uint32_t dfuCrc(std::span<const uint8_t> bytes);

// Splits the file into payload and suffix and checks the suffix against the device's ids.
DfuFileResult parseDfuFile(std::vector<uint8_t> bytes, uint16_t vendorId, uint16_t productId);
DfuFileResult readDfuFile(const std::string& path, uint16_t vendorId, uint16_t productId);

// Appends a valid suffix with these ids to `payload`; for tests, the bench and the demo.
std::vector<uint8_t> withDfuSuffix(std::vector<uint8_t> payload, uint16_t vendorId,
                                   uint16_t productId, uint16_t deviceRelease = kAnyId);

// "0a12:ffff", as messages name a device.
std::string deviceIds(uint16_t vendorId, uint16_t productId);

} // namespace velt::dfu
