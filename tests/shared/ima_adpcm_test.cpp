#include "shared/byte_order.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/ima_adpcm_channel.hpp"
#include "tests/shared/codec_test_signals.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<unsigned char> encodeBlocks(const std::vector<std::int16_t>& samples) {
    std::vector<unsigned char> out(suite::imaAdpcmEncodedSize(samples.size()));
    EXPECT_EQ(suite::encodeImaAdpcmBlocks(samples, out), out.size());
    return out;
}

std::vector<std::int16_t> decodeBlocks(const std::vector<unsigned char>& bytes) {
    std::vector<std::int16_t> out(bytes.size() / 256 * 505);
    out.resize(suite::decodeImaAdpcmBlocks(bytes, out));
    return out;
}

TEST(ImaAdpcm, SizesAreWholeBlocks) {
    EXPECT_EQ(suite::imaAdpcmEncodedSize(0), 0u);
    EXPECT_EQ(suite::imaAdpcmEncodedSize(1), 256u);
    EXPECT_EQ(suite::imaAdpcmEncodedSize(505), 256u);
    EXPECT_EQ(suite::imaAdpcmEncodedSize(506), 512u);
    EXPECT_EQ(suite::imaAdpcmEncodedSize(8000), 16u * 256u);
}

TEST(ImaAdpcm, DecodesTheStandardStepTableAndIndexRule) {
    suite::ImaAdpcmState s;
    s.predictor = 0;
    s.stepIndex = 0;
    // Step 7: code 7 adds 0 + 7 + 3 + 1 = 11 and moves the index up by 8.
    EXPECT_EQ(suite::imaAdpcmDecodeSample(s, 7), 11);
    EXPECT_EQ(s.stepIndex, 8);
    // Step 16: code 0xC subtracts 2 + 16 = 18; index +2.
    EXPECT_EQ(suite::imaAdpcmDecodeSample(s, 0xC), -7);
    EXPECT_EQ(s.stepIndex, 10);
    // Codes 0-3 step down, not below 0; codes 7 step up, not above 88.
    for (int i = 0; i < 20; ++i) suite::imaAdpcmDecodeSample(s, 0);
    EXPECT_EQ(s.stepIndex, 0);
    for (int i = 0; i < 20; ++i) suite::imaAdpcmDecodeSample(s, 7);
    EXPECT_EQ(s.stepIndex, 88);
    EXPECT_EQ(suite::imaAdpcmStep(88), 32767);
    EXPECT_EQ(s.predictor, 32767);
}

TEST(ImaAdpcm, BlocksStartWithTheirFirstSampleAndCarryTheStepIndex) {
    const auto samples = codec_test::musicLike(3 * 505 + 100);
    const auto bytes = encodeBlocks(samples);
    ASSERT_EQ(bytes.size(), 4u * 256u);
    suite::ImaAdpcmState state;
    for (std::size_t block = 0; block < 4; ++block) {
        const unsigned char* b = &bytes[block * 256];
        EXPECT_EQ(static_cast<std::int16_t>(suite::readLe16(b)), samples[block * 505]) << block;
        EXPECT_EQ(b[2], state.stepIndex) << block; // the index the encoder reached so far
        EXPECT_EQ(b[3], 0);
        // Run the block's codes to find the index the next block must carry.
        state.predictor = static_cast<std::int16_t>(suite::readLe16(b));
        for (std::size_t j = 4; j < 256; ++j) {
            suite::imaAdpcmDecodeSample(state, b[j] & 0x0F);
            suite::imaAdpcmDecodeSample(state, b[j] >> 4);
        }
    }
    EXPECT_EQ(bytes[2], 0); // the stream starts at step index 0
}

TEST(ImaAdpcm, DecoderFollowsTheEncoderAndTheLastBlockEndsInSilence) {
    const auto samples = codec_test::speechLike(2000);
    const auto bytes = encodeBlocks(samples);
    const auto decoded = decodeBlocks(bytes);
    ASSERT_EQ(decoded.size(), 4u * 505u);
    // The encoder's own reconstruction is what the decoder gives.
    suite::ImaAdpcmState state;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (i % 505 == 0) {
            state.predictor = samples[i];
            ASSERT_EQ(decoded[i], samples[i]);
            continue;
        }
        suite::imaAdpcmEncodeSample(state, samples[i]);
        ASSERT_EQ(decoded[i], state.predictor) << i;
    }
    // The padding decays toward zero.
    EXPECT_LT(std::abs(static_cast<int>(decoded.back())), 64);
}

TEST(ImaAdpcm, TooSmallBufferWritesNothing) {
    const auto samples = codec_test::speechLike(600);
    std::vector<unsigned char> out(511, 0xAA);
    EXPECT_EQ(suite::encodeImaAdpcmBlocks(samples, out), 0u);
    EXPECT_EQ(out[0], 0xAA);
}

TEST(ImaAdpcmChannel, ConvertsTheImageFromByte44) {
    const auto samples = codec_test::speechLike(1234);
    const auto image = codec_test::tempWavImage(samples);
    EXPECT_EQ(suite::imaAdpcmChannelSize(image), 3u * 256u);
    std::vector<unsigned char> out(3 * 256);
    ASSERT_EQ(suite::encodeImaAdpcmChannel(image, out), 3u * 256u);
    EXPECT_EQ(out, encodeBlocks(samples));
}

TEST(ImaAdpcmChannel, EmptyOrOversizedConversionsYieldNothing) {
    std::vector<unsigned char> out(4096);
    EXPECT_EQ(suite::encodeImaAdpcmChannel(std::vector<unsigned char>(44, 0), out), 0u);
    EXPECT_EQ(suite::encodeImaAdpcmChannel(std::vector<unsigned char>(10, 0), out), 0u);
    const auto image = codec_test::tempWavImage(codec_test::musicLike(505 * 16 + 1));
    EXPECT_EQ(suite::imaAdpcmChannelSize(image), 17u * 256u);
    EXPECT_EQ(suite::encodeImaAdpcmChannel(image, out), 0u);
}

TEST(ImaAdpcmChannel, OddTrailingByteCountsAsASample) {
    auto image = codec_test::tempWavImage(std::vector<std::int16_t>(505, 100));
    image.push_back(0x7F);
    std::vector<unsigned char> out(1024);
    ASSERT_EQ(suite::encodeImaAdpcmChannel(image, out), 512u);
    EXPECT_EQ(suite::readLe16(&out[256]), 0x7F); // the stray byte heads the second block
}

} // namespace
