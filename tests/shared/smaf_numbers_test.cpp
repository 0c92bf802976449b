#include "shared/smaf_numbers.hpp"

#include <gtest/gtest.h>

#include <vector>

using suite::SmafEncoding;

namespace {

struct NumberCase {
    SmafEncoding encoding;
    int value;
    std::vector<unsigned char> bytes;
};

std::vector<unsigned char> encode(SmafEncoding encoding, int value) {
    unsigned char out[suite::smafNumberMaxBytes] = {};
    const std::size_t n = suite::encodeSmafNumber(encoding, value, out);
    return std::vector<unsigned char>(out, out + n);
}

const SmafEncoding handy = SmafEncoding::handyPhone;
const SmafEncoding mobile = SmafEncoding::mobile;

} // namespace

TEST(SmafNumbers, EncodeAndDecodeBothForms) {
    const NumberCase cases[] = {
        {handy, 0, {0x00}},
        {handy, 127, {0x7F}},
        {handy, 128, {0x80, 0x00}},
        {handy, 201, {0x80, 0x49}},
        {handy, 256, {0x81, 0x00}},
        {handy, 16511, {0xFF, 0x7F}},
        {mobile, 0, {0x00}},
        {mobile, 127, {0x7F}},
        {mobile, 128, {0x81, 0x00}},
        {mobile, 250, {0x81, 0x7A}},
        {mobile, 16383, {0xFF, 0x7F}},
        {mobile, 16384, {0x81, 0x80, 0x00}},
        {mobile, 16634, {0x81, 0x81, 0x7A}},
        {mobile, 0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(encode(c.encoding, c.value), c.bytes) << c.value;
        int decoded = -1;
        EXPECT_EQ(suite::decodeSmafNumber(c.encoding, c.bytes.data(), c.bytes.size(), decoded),
                  c.bytes.size())
            << c.value;
        EXPECT_EQ(decoded, c.value);
    }
}

TEST(SmafNumbers, ValuesOutsideTheFormAreClamped) {
    EXPECT_EQ(encode(handy, 16512), (std::vector<unsigned char>{0xFF, 0x7F}));
    EXPECT_EQ(encode(handy, -5), (std::vector<unsigned char>{0x00}));
    EXPECT_EQ(encode(mobile, 0x10000000), (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(SmafNumbers, IncompleteNumbersDecodeNothing) {
    int value = 0;
    const unsigned char twoByteStart[] = {0x80};
    EXPECT_EQ(suite::decodeSmafNumber(handy, twoByteStart, 1, value), 0u);
    const unsigned char unterminated[] = {0x81, 0x80};
    EXPECT_EQ(suite::decodeSmafNumber(mobile, unterminated, 2, value), 0u);
    const unsigned char fiveBytes[] = {0x81, 0x80, 0x80, 0x80, 0x00};
    EXPECT_EQ(suite::decodeSmafNumber(mobile, fiveBytes, 5, value), 0u);
    EXPECT_EQ(suite::decodeSmafNumber(mobile, fiveBytes, 0, value), 0u);
}

TEST(SmafNumbers, TimebaseCodes) {
    const std::pair<int, int> cases[] = {{0x00, 1},  {0x01, 2},  {0x02, 4},  {0x03, 5},
                                         {0x10, 10}, {0x11, 20}, {0x12, 40}, {0x13, 50},
                                         {0x04, 1},  {0x14, 1},  {0xFF, 1}};
    for (auto [code, ms] : cases) EXPECT_EQ(suite::smafTimebaseMs(code), ms) << code;
}
