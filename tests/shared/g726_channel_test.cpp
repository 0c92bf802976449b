#include "shared/g726.hpp"
#include "shared/g726_channel.hpp"
#include "tests/shared/codec_test_signals.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using suite::G726CodeWidth;

struct InputCase {
    std::int16_t sample;
    int linear;
};

class G726Input : public testing::TestWithParam<InputCase> {};

// Halved toward zero, then shifted right by two bits (rounding toward minus infinity).
TEST_P(G726Input, HalvesThenShiftsRightTwoBits) {
    EXPECT_EQ(suite::g726LinearInput(GetParam().sample), GetParam().linear);
}

INSTANTIATE_TEST_SUITE_P(Samples, G726Input,
                         testing::Values(InputCase{0, 0}, InputCase{7, 0}, InputCase{8, 1},
                                         InputCase{-1, 0}, InputCase{-2, -1}, InputCase{-7, -1},
                                         InputCase{-9, -1}, InputCase{-10, -2},
                                         InputCase{32767, 4095}, InputCase{-32768, -4096}));

TEST(G726Output, ShiftsLeftTwoBitsAndSaturates) {
    EXPECT_EQ(suite::g726OutputSample(0), 0);
    EXPECT_EQ(suite::g726OutputSample(-1), -4);
    EXPECT_EQ(suite::g726OutputSample(8191), 32764);
    EXPECT_EQ(suite::g726OutputSample(-8192), -32768);
    // An overshooting reconstruction must not wrap around.
    EXPECT_EQ(suite::g726OutputSample(8192), 32767);
    EXPECT_EQ(suite::g726OutputSample(20000), 32767);
    EXPECT_EQ(suite::g726OutputSample(-20000), -32768);
}

std::vector<unsigned> codesOf(const std::vector<std::int16_t>& samples, G726CodeWidth width) {
    suite::G726State state;
    suite::g726Reset(state);
    std::vector<unsigned> codes;
    for (std::int16_t s : samples) codes.push_back(suite::g726Encode(state, suite::g726LinearInput(s), width));
    return codes;
}

std::vector<unsigned char> encodeImage(const std::vector<unsigned char>& image, G726CodeWidth width,
                                       std::size_t budget = 1u << 20) {
    std::vector<unsigned char> out(image.size());
    out.resize(suite::encodeG726Channel(image, width, budget, out));
    return out;
}

TEST(G726Channel, FourBitCodesPackTwoPerByteFirstInTheLowBits) {
    const auto samples = codec_test::speechLike(200);
    const auto codes = codesOf(samples, G726CodeWidth::fourBits);
    const auto bytes = encodeImage(codec_test::tempWavImage(samples), G726CodeWidth::fourBits);
    ASSERT_EQ(bytes.size(), 100u);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i], codes[2 * i] | (codes[2 * i + 1] << 4)) << i;
    }
}

TEST(G726Channel, TwoBitCodesPackFourPerByteInSampleOrderFromBit0) {
    const auto samples = codec_test::musicLike(200);
    const auto codes = codesOf(samples, G726CodeWidth::twoBits);
    const auto bytes = encodeImage(codec_test::tempWavImage(samples), G726CodeWidth::twoBits);
    ASSERT_EQ(bytes.size(), 50u);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned expected = codes[4 * i] | (codes[4 * i + 1] << 2) | (codes[4 * i + 2] << 4) |
                                  (codes[4 * i + 3] << 6);
        ASSERT_EQ(bytes[i], expected) << i;
    }
}

TEST(G726Channel, ImageAndSampleEncodersAgreeAndPadWithZeroSamples) {
    for (G726CodeWidth width : {G726CodeWidth::twoBits, G726CodeWidth::fourBits}) {
        for (std::size_t n : {0u, 1u, 2u, 3u, 5u, 999u}) {
            const auto samples = codec_test::speechLike(n);
            std::vector<std::int16_t> padded = samples;
            padded.resize((n + 3) / 4 * 4, 0);
            const auto fromImage = encodeImage(codec_test::tempWavImage(samples), width);
            std::vector<unsigned char> fromSamples(n + 4);
            fromSamples.resize(suite::encodeG726Samples(samples, width, fromSamples));
            EXPECT_EQ(fromImage, fromSamples) << n;
            const std::size_t perByte = suite::g726SamplesPerByte(width);
            EXPECT_EQ(fromImage.size(), (n + perByte - 1) / perByte);
            // The zero samples that complete the last byte are encoded like real ones.
            const auto codes = codesOf(padded, width);
            if (!fromImage.empty() && width == G726CodeWidth::twoBits) {
                const std::size_t last = fromImage.size() - 1;
                EXPECT_EQ(fromImage[last] >> 6, codes[4 * last + 3]);
            }
        }
    }
}

TEST(G726Channel, BudgetKeepsAPrefixAndShortImagesGiveNothing) {
    const auto image = codec_test::tempWavImage(codec_test::musicLike(4000));
    const auto whole = encodeImage(image, G726CodeWidth::fourBits);
    const auto cut = encodeImage(image, G726CodeWidth::fourBits, 123);
    ASSERT_EQ(cut.size(), 123u);
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), whole.begin()));
    EXPECT_TRUE(encodeImage(std::vector<unsigned char>(44, 1), G726CodeWidth::fourBits).empty());
}

TEST(G726Channel, DecoderWritesWholeBytesOnlyAndStartsFresh) {
    const auto samples = codec_test::speechLike(400);
    std::vector<unsigned char> bytes(200);
    bytes.resize(suite::encodeG726Samples(samples, G726CodeWidth::twoBits, bytes));
    std::vector<std::int16_t> whole(400);
    ASSERT_EQ(suite::decodeG726Stream(bytes, G726CodeWidth::twoBits, whole), 400u);
    std::vector<std::int16_t> room(7, 99); // room for one byte's worth and three samples more
    EXPECT_EQ(suite::decodeG726Stream(bytes, G726CodeWidth::twoBits, room), 4u);
    EXPECT_TRUE(std::equal(room.begin(), room.begin() + 4, whole.begin()));
    EXPECT_EQ(room[4], 99);
}

} // namespace
