#include "DfuFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velt::dfu {

namespace {

constexpr std::array<uint32_t, 256> makeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

uint16_t readLe16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t readLe32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string hex4(uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

std::string hex8(uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

DfuFileResult failure(DfuFileError error, std::string message)
{
    DfuFileResult result;
    result.error = error;
    result.message = std::move(message);
    return result;
}

} // namespace

uint32_t dfuCrc(std::span<const uint8_t> bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t byte : bytes)
        crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc;
}

DfuFileResult parseDfuFile(std::vector<uint8_t> bytes, uint16_t vendorId, uint16_t productId)
{
    if (bytes.empty())
        return failure(DfuFileError::Empty, "The image file is empty.");

    const size_t size = bytes.size();
    // A file shorter than a suffix cannot carry one: it is all payload.
    const bool marked = size >= kSuffixLength && bytes[size - 8] == 'U' && bytes[size - 7] == 'F' &&
                        bytes[size - 6] == 'D';
    DfuFileResult result;
    if (!marked) {
        result.file.payload = std::move(bytes);
        return result;
    }

    const uint8_t* suffix = bytes.data() + size - kSuffixLength;
    const uint8_t length = suffix[11];
    if (length != kSuffixLength) {
        return failure(DfuFileError::Corrupt, "The image's DFU suffix is corrupt: its length is " +
                                                  std::to_string(length) + ", not 16.");
    }
    const uint32_t stored = readLe32(suffix + 12);
    const uint32_t computed = dfuCrc(std::span(bytes.data(), size - 4));
    if (stored != computed) {
        return failure(DfuFileError::Corrupt, "The image's DFU suffix is corrupt: its CRC is " +
                                                  hex8(stored) + ", the file's is " +
                                                  hex8(computed) + ".");
    }

    DfuFile& file = result.file;
    file.hasSuffix = true;
    file.deviceRelease = readLe16(suffix);
    file.productId = readLe16(suffix + 2);
    file.vendorId = readLe16(suffix + 4);
    file.dfuVersion = readLe16(suffix + 6);
    if ((file.vendorId != kAnyId && file.vendorId != vendorId) ||
        (file.productId != kAnyId && file.productId != productId)) {
        return failure(DfuFileError::IdMismatch, "The image is for device " + hex4(file.vendorId) +
                                                     ":" + hex4(file.productId) + ", not " +
                                                     hex4(vendorId) + ":" + hex4(productId) + ".");
    }
    if (size == kSuffixLength)
        return failure(DfuFileError::Empty, "The image holds a DFU suffix and no firmware.");

    bytes.resize(size - kSuffixLength);
    file.payload = std::move(bytes);
    return result;
}

DfuFileResult readDfuFile(const std::string& path, uint16_t vendorId, uint16_t productId)
{
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (!stream) {
        return failure(DfuFileError::Unreadable,
                       "Cannot open the image " + path + ": " + std::strerror(errno) + ".");
    }
    std::vector<uint8_t> bytes;
    std::array<uint8_t, 65536> chunk;
    size_t count = 0;
    while ((count = std::fread(chunk.data(), 1, chunk.size(), stream)) > 0)
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + long(count));
    const bool failed = std::ferror(stream);
    const int readErrno = errno;
    std::fclose(stream);
    if (failed) {
        return failure(DfuFileError::Unreadable,
                       "Cannot read the image " + path + ": " + std::strerror(readErrno) + ".");
    }
    return parseDfuFile(std::move(bytes), vendorId, productId);
}

std::vector<uint8_t> withDfuSuffix(std::vector<uint8_t> payload, uint16_t vendorId,
                                   uint16_t productId, uint16_t deviceRelease)
{
    const uint8_t fields[12] = {
        uint8_t(deviceRelease),
        uint8_t(deviceRelease >> 8),
        uint8_t(productId),
        uint8_t(productId >> 8),
        uint8_t(vendorId),
        uint8_t(vendorId >> 8),
        0x00,
        0x01,
        'U',
        'F',
        'D',
        uint8_t(kSuffixLength),
    };
    payload.insert(payload.end(), std::begin(fields), std::end(fields));
    const uint32_t crc = dfuCrc(payload);
    for (int shift = 0; shift < 32; shift += 8)
        payload.push_back(uint8_t(crc >> shift));
    return payload;
}

} // namespace velt::dfu
