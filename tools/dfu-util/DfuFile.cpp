// SPDX-License-Identifier: Apache-2.0
#include "DfuFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velt::dfu {

namespace {

// Slicing-by-8: eight tables let the loop take eight bytes per step; a byte at a time the CRC
// of a 4 MiB image was a sizeable part of the tool's processor time.
constexpr std::array<std::array<uint32_t, 256>, 8> makeCrcTables()
{
    std::array<std::array<uint32_t, 256>, 8> tables{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        tables[0][i] = value;
    }
    for (uint32_t i = 0; i < 256; ++i) {
        for (size_t t = 1; t < 8; ++t)
            tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    }
    return tables;
}

constexpr std::array<std::array<uint32_t, 256>, 8> kCrcTables = makeCrcTables();

uint16_t readLe16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t readLe32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string hex8(uint32_t value)
{
    char text[12];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

DfuFileResult failure(DfuFileError error, std::string message)
{
    return {{}, error, std::move(message)};
}

DfuFileResult tooLarge(const std::string& path)
{
    return failure(DfuFileError::TooLarge, "The image " + path + " is larger than " +
                                               std::to_string(kMaxImageSize >> 20) +
                                               " MiB; no firmware for this device is that large.");
}

} // namespace

uint32_t dfuCrc(std::span<const uint8_t> bytes)
{
    const auto& t = kCrcTables;
    uint32_t crc = 0xFFFFFFFFu;
    const uint8_t* p = bytes.data();
    size_t left = bytes.size();
    for (; left >= 8; left -= 8, p += 8) {
        const uint32_t low = crc ^ readLe32(p);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
              t[4][low >> 24] ^ t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; left > 0; --left, ++p)
        crc = t[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
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
        return failure(DfuFileError::IdMismatch,
                       "The image is for device " + deviceIds(file.vendorId, file.productId) +
                           ", not " + deviceIds(vendorId, productId) + ".");
    }
    if (size == kSuffixLength)
        return failure(DfuFileError::Empty, "The image holds a DFU suffix and no firmware.");

    bytes.resize(size - kSuffixLength);
    file.payload = std::move(bytes);
    return result;
}

DfuFileResult readDfuFile(const std::string& path, uint16_t vendorId, uint16_t productId)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer, for ever if none
    // comes. Only regular files are read, so the flag changes nothing for what is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return failure(DfuFileError::Unreadable,
                       "Cannot open the image " + path + ": " + std::strerror(errno) + ".");
    }
    DfuFileResult result;
    struct stat status
    {
    };
    std::vector<uint8_t> bytes;
    if (fstat(fd, &status) != 0) {
        result = failure(DfuFileError::Unreadable,
                         "Cannot read the image " + path + ": " + std::strerror(errno) + ".");
    } else if (!S_ISREG(status.st_mode)) {
        result = failure(DfuFileError::Unreadable,
                         "Cannot read the image " + path + ": it is not a regular file.");
    } else if (uint64_t(status.st_size) > kMaxImageSize) {
        result = tooLarge(path);
    } else {
        // Read straight into a buffer of the file's size: growing a vector chunk by chunk
        // touches twice the memory, and page faults are most of this tool's processor time. One
        // byte more than the size shows a file that grew meanwhile.
        bytes.resize(size_t(status.st_size) + 1);
        size_t filled = 0;
        for (;;) {
            if (filled == bytes.size()) {
                if (bytes.size() > kMaxImageSize)
                    break;
                bytes.resize(std::min(bytes.size() * 2, kMaxImageSize + 1));
            }
            const ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0) {
                result = failure(DfuFileError::Unreadable, "Cannot read the image " + path + ": " +
                                                               std::strerror(errno) + ".");
                break;
            }
            if (count == 0)
                break;
            filled += size_t(count);
        }
        bytes.resize(filled);
        if (result.error == DfuFileError::None && filled > kMaxImageSize)
            result = tooLarge(path);
    }
    ::close(fd);
    if (result.error != DfuFileError::None)
        return result;
    return parseDfuFile(std::move(bytes), vendorId, productId);
}

std::vector<uint8_t> withDfuSuffix(std::vector<uint8_t> payload, uint16_t vendorId,
                                   uint16_t productId, uint16_t deviceRelease)
{
    const auto appendLe = [&payload](uint32_t value, int bytes) {
        for (int shift = 0; shift < 8 * bytes; shift += 8)
            payload.push_back(uint8_t(value >> shift));
    };
    for (const uint16_t field : {deviceRelease, productId, vendorId, uint16_t(0x0100)})
        appendLe(field, 2);
    payload.insert(payload.end(), {'U', 'F', 'D', uint8_t(kSuffixLength)});
    appendLe(dfuCrc(payload), 4);
    return payload;
}

std::string deviceIds(uint16_t vendorId, uint16_t productId)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", vendorId, productId);
    return text;
}

} // namespace velt::dfu
