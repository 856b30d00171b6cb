#include "DfuFile.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

using namespace velt::dfu;

namespace {

std::vector<uint8_t> bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

} // namespace

TEST(DfuFile, CrcMatchesTheKnownCheckValues)
{
    EXPECT_EQ(dfuCrc(bytes("123456789")), 0x340BC6D9u);
    EXPECT_EQ(dfuCrc({}), 0xFFFFFFFFu);

    // "123456789" + ff ff ff ff 12 0a 00 01 'U' 'F' 'D' 16 needs dwCRC 0x21F66ED8.
    std::vector<uint8_t> file = bytes("123456789");
    const uint8_t suffix[] = {0xff, 0xff, 0xff, 0xff, 0x12, 0x0a, 0x00, 0x01, 'U', 'F', 'D', 16};
    file.insert(file.end(), std::begin(suffix), std::end(suffix));
    EXPECT_EQ(dfuCrc(file), 0x21F66ED8u);

    const std::vector<uint8_t> built = withDfuSuffix(bytes("123456789"), 0x0a12, 0xffff);
    ASSERT_EQ(built.size(), 25u);
    EXPECT_EQ(std::vector<uint8_t>(built.end() - 4, built.end()),
              (std::vector<uint8_t>{0xD8, 0x6E, 0xF6, 0x21}));
}

TEST(DfuFile, SuffixIsCheckedAndRemoved)
{
    struct Case
    {
        const char* name;
        std::vector<uint8_t> file;
        DfuFileError error;
        bool hasSuffix;
        size_t payloadSize;
    };
    const std::vector<uint8_t> payload = bytes("123456789");
    auto damaged = [&](size_t fromEnd, uint8_t value) {
        std::vector<uint8_t> file = withDfuSuffix(payload, 0x0a12, 0xffff);
        file[file.size() - fromEnd] = value;
        return file;
    };
    const Case cases[] = {
        {"exact ids", withDfuSuffix(payload, 0x0a12, 0xffff), DfuFileError::None, true, 9},
        {"wildcard ids", withDfuSuffix(payload, 0xffff, 0xffff), DfuFileError::None, true, 9},
        {"other vendor", withDfuSuffix(payload, 0x1234, 0xffff), DfuFileError::IdMismatch, true, 0},
        {"other product", withDfuSuffix(payload, 0x0a12, 0x0001), DfuFileError::IdMismatch, true,
         0},
        {"bad crc", damaged(1, 0x00), DfuFileError::Corrupt, false, 0},
        {"bad length", damaged(5, 12), DfuFileError::Corrupt, false, 0},
        {"payload damaged", damaged(20, 'x'), DfuFileError::Corrupt, false, 0},
        {"no suffix", payload, DfuFileError::None, false, 9},
        {"shorter than a suffix", bytes("UFD"), DfuFileError::None, false, 3},
        {"empty file", {}, DfuFileError::Empty, false, 0},
        {"suffix only", withDfuSuffix({}, 0x0a12, 0xffff), DfuFileError::Empty, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DfuFileResult result = parseDfuFile(c.file, 0x0a12, 0xffff);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.message.empty(), c.error == DfuFileError::None) << result.message;
        if (c.error == DfuFileError::None) {
            EXPECT_EQ(result.file.hasSuffix, c.hasSuffix);
            EXPECT_EQ(result.file.payload.size(), c.payloadSize);
        }
    }
    // 0xffff in the file fits any product, not only 0xffff.
    EXPECT_EQ(parseDfuFile(withDfuSuffix(payload, 0x0a12, 0xffff), 0x0a12, 0x4321).error,
              DfuFileError::None);
}

TEST(DfuFile, ReadsFilesAndReportsUnreadableOnes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("image.dfu").toStdString();
    const std::vector<uint8_t> file =
        withDfuSuffix(std::vector<uint8_t>(70000, 0x5A), 0x0a12, 0xffff);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

    const DfuFileResult good = readDfuFile(path, 0x0a12, 0xffff);
    EXPECT_EQ(good.error, DfuFileError::None);
    EXPECT_EQ(good.file.payload, std::vector<uint8_t>(70000, 0x5A));

    EXPECT_EQ(readDfuFile(dir.filePath("missing.dfu").toStdString(), 0x0a12, 0xffff).error,
              DfuFileError::Unreadable);
    EXPECT_EQ(readDfuFile(dir.path().toStdString(), 0x0a12, 0xffff).error,
              DfuFileError::Unreadable);
}
