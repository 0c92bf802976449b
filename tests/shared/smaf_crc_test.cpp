#include "shared/smaf_crc.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<unsigned char> bytesOf(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

std::vector<unsigned char> allByteValues() {
    std::vector<unsigned char> bytes(256);
    for (int i = 0; i < 256; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
    return bytes;
}

} // namespace

TEST(SmafCrc16, MatchesTheCatalogueAndBitwiseReferenceValues) {
    struct Case { const char* name; std::vector<unsigned char> bytes; std::uint16_t code; };
    const Case cases[] = {
        {"123456789", bytesOf("123456789"), 0xD64E},
        {"empty range", {}, 0x0000},
        {"one zero byte", {0x00}, 0x1E0F},
        {"every byte value", allByteValues(), 0xC042},
        // The smallest file: "MMMD", size 15, a CNTI with an empty option text.
        {"CNTI-only file", bytesOf(std::string("MMMD\0\0\0\x0F" "CNTI\0\0\0\x05\0\x01\0\0\0", 21)), 0x6072},
    };
    for (const Case& c : cases)
        EXPECT_EQ(suite::smafCrc16(c.bytes.data(), c.bytes.size()), c.code) << c.name;
}

TEST(SmafCheckMark, TakesTwoNibblesOfTheCodeXoredWithDAnd2) {
    // 0xD64E: bits 11-8 = 6 ^ 0xD = B, bits 3-0 = E ^ 2 = C
    const auto digits = bytesOf("123456789");
    const std::array<char, 2> mark = suite::smafCheckMark(digits.data(), digits.size());
    EXPECT_EQ(std::string(mark.data(), 2), "BC");
    // 0x0000: 0 ^ D, 0 ^ 2
    const std::array<char, 2> empty = suite::smafCheckMark(nullptr, 0);
    EXPECT_EQ(std::string(empty.data(), 2), "D2");
}
