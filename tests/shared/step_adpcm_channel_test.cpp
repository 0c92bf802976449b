#include "shared/step_adpcm.hpp"
#include "shared/step_adpcm_channel.hpp"
#include "shared/step_adpcm_unpack.hpp"
#include "tests/shared/codec_test_signals.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using codec_test::tempWavImage;
using suite::StepAdpcmChannelOptions;
using suite::StepAdpcmPacking;

constexpr auto high = StepAdpcmPacking::highNibbleFirst;
constexpr auto low = StepAdpcmPacking::lowNibbleFirst;

std::vector<unsigned char> encode(const std::vector<unsigned char>& image, StepAdpcmPacking packing,
                                  std::size_t budget = 1u << 20, bool everyOther = false) {
    std::vector<unsigned char> out(budget < (1u << 20) ? budget + 16 : image.size());
    StepAdpcmChannelOptions options;
    options.packing = packing;
    options.byteBudget = budget;
    options.everyOtherSample = everyOther;
    out.resize(suite::encodeStepAdpcmChannel(image, options, out));
    return out;
}

std::vector<std::int16_t> decode(const std::vector<unsigned char>& bytes, StepAdpcmPacking packing) {
    std::vector<std::int16_t> out(bytes.size() * 2);
    out.resize(suite::decodeStepAdpcmStream(bytes, packing, out));
    return out;
}

// Samples that make the high-nibble-first encoder store the wanted bytes. For every sample
// the encoder is tried on candidate inputs until one gives the needed code; a stored 0x80
// after two stored zero bytes stands for the zero-run guard, fed with codes 0 and 0, after
// which the encoder follows a decoder of the stored byte.
std::vector<std::int16_t> samplesStoring(const std::vector<unsigned char>& stored) {
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    std::vector<std::int16_t> samples;
    auto findSample = [&](unsigned code) {
        const auto k = static_cast<std::uint32_t>(samples.size());
        for (int s = -32768; s <= 32767; ++s) {
            suite::stepAdpcmState trial = state;
            if (suite::stepAdpcmEncode(trial, suite::conditionSample(static_cast<std::int16_t>(s), k)) == code) {
                samples.push_back(static_cast<std::int16_t>(s));
                state = trial;
                return;
            }
        }
        ADD_FAILURE() << "no sample gives code " << code << " at " << k;
    };
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const bool guarded = stored[i] == 0x80 && i >= 3 && stored[i - 1] == 0 && stored[i - 2] == 0;
        const suite::stepAdpcmState before = state;
        findSample(guarded ? 0 : stored[i] >> 4);
        findSample(guarded ? 0 : stored[i] & 0x0F);
        if (guarded) {
            state = before;
            suite::stepAdpcmDecode(state, 8);
            suite::stepAdpcmDecode(state, 0);
        }
    }
    return samples;
}

TEST(StepAdpcmChannel, ImagesWithoutSamplesGiveEmptyStreams) {
    for (std::size_t size : {0u, 10u, 44u}) {
        const std::vector<unsigned char> image(size, 0x55);
        EXPECT_TRUE(encode(image, high).empty()) << size;
        EXPECT_TRUE(encode(image, low).empty()) << size;
    }
}

TEST(StepAdpcmChannel, OddLastSampleIsPairedWithZero) {
    const std::vector<std::int16_t> odd = {1000, -2000, 3000, -4000, 5000};
    std::vector<std::int16_t> padded = odd;
    padded.push_back(0);
    for (StepAdpcmPacking packing : {high, low}) {
        const auto a = encode(tempWavImage(odd), packing);
        EXPECT_EQ(a.size(), 3u);
        EXPECT_EQ(a, encode(tempWavImage(padded), packing));
    }
    // A single stray byte after the header still makes one byte of output.
    std::vector<unsigned char> image = tempWavImage(std::vector<std::int16_t>{});
    image.push_back(0x40);
    EXPECT_EQ(encode(image, low).size(), 1u);
    EXPECT_EQ(encode(image, low), encode(tempWavImage(std::vector<std::int16_t>{0x40, 0}), low));
}

TEST(StepAdpcmChannel, BudgetCutsTheStreamAndKeepsItsPrefix) {
    const auto image = tempWavImage(codec_test::speechLike(2000));
    for (StepAdpcmPacking packing : {high, low}) {
        const auto whole = encode(image, packing);
        ASSERT_EQ(whole.size(), 1000u);
        for (std::size_t budget : {0u, 1u, 3u, 999u}) {
            const auto cut = encode(image, packing, budget);
            ASSERT_EQ(cut.size(), budget);
            EXPECT_TRUE(std::equal(cut.begin(), cut.end(), whole.begin()));
        }
        EXPECT_EQ(encode(image, packing, 5000), whole);
    }
}

TEST(StepAdpcmChannel, OutputBufferLimitsLikeABudget) {
    const auto image = tempWavImage(codec_test::musicLike(100));
    std::vector<unsigned char> out(7);
    StepAdpcmChannelOptions options;
    options.byteBudget = 10000;
    EXPECT_EQ(suite::encodeStepAdpcmChannel(image, options, out), 7u);
}

TEST(StepAdpcmChannel, FourKilohertzSelectionTakesEveryOtherSample) {
    const auto source = codec_test::speechLike(1003);
    std::vector<std::int16_t> even;
    for (std::size_t i = 0; i < source.size(); i += 2) even.push_back(source[i]);
    for (StepAdpcmPacking packing : {high, low}) {
        const auto selected = encode(tempWavImage(source), packing, 1u << 20, true);
        EXPECT_EQ(selected.size(), 251u); // ceil(1003 / 4)
        EXPECT_EQ(selected, encode(tempWavImage(even), packing));
    }
}

TEST(StepAdpcmChannel, LowNibbleFirstEncodesRawSamplesFirstInBits3To0) {
    const auto samples = codec_test::musicLike(64);
    const auto bytes = encode(tempWavImage(samples), low);
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned first = suite::stepAdpcmEncode(state, samples[2 * i]);
        const unsigned second = suite::stepAdpcmEncode(state, samples[2 * i + 1]);
        ASSERT_EQ(bytes[i], first | (second << 4)) << i;
    }
}

TEST(StepAdpcmChannel, HighNibbleFirstEncodesConditionedSamplesFirstInBits7To4) {
    const auto samples = codec_test::musicLike(64);
    const auto bytes = encode(tempWavImage(samples), high);
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto k = static_cast<std::uint32_t>(2 * i);
        const unsigned first = suite::stepAdpcmEncode(state, suite::conditionSample(samples[k], k));
        const unsigned second = suite::stepAdpcmEncode(state, suite::conditionSample(samples[k + 1], k + 1));
        ASSERT_EQ(bytes[i], (first << 4) | second) << i;
    }
}

TEST(StepAdpcmChannel, ConstantZeroFollowsTheDitherInsteadOfZeroBytes) {
    const auto bytes = encode(tempWavImage(std::vector<std::int16_t>(2048, 0)), high);
    const auto decoded = decode(bytes, high);
    ASSERT_EQ(decoded.size(), 2048u);
    std::vector<std::int16_t> dither(2048);
    for (std::uint32_t k = 0; k < dither.size(); ++k) dither[k] = suite::conditionSample(0, k);
    // After the first periods the decoder tracks the 64-sample dither closely.
    const std::span<const std::int16_t> settledDither(dither.data() + 256, dither.size() - 256);
    const std::span<const std::int16_t> settledDecoded(decoded.data() + 256, decoded.size() - 256);
    EXPECT_GT(codec_test::snrDb(settledDither, settledDecoded), 10.0);
    int zeroBytes = 0;
    for (unsigned char b : bytes) zeroBytes += b == 0;
    EXPECT_LT(zeroBytes, static_cast<int>(bytes.size()) / 4);
}

TEST(StepAdpcmChannel, ZeroRunGuardLeavesTheFirstThreeBytesAlone) {
    const std::vector<unsigned char> wanted = {0x00, 0x00, 0x00, 0x37, 0xA1};
    const auto bytes = encode(tempWavImage(samplesStoring(wanted)), high);
    EXPECT_EQ(bytes, wanted);
}

TEST(StepAdpcmChannel, ZeroRunGuardReplacesTheThirdZeroFromIndexThree) {
    // The encoder produces 12 34 56 00 00 00 21; the third zero is stored as 0x80.
    const std::vector<unsigned char> stored = {0x12, 0x34, 0x56, 0x00, 0x00, 0x80, 0x21};
    const auto samples = samplesStoring(stored);
    EXPECT_EQ(encode(tempWavImage(samples), high), stored);
    // The same run at indices 0-2 is stored unchanged.
    const auto early = encode(tempWavImage(samplesStoring({0x00, 0x00, 0x00})), high);
    EXPECT_EQ(early, (std::vector<unsigned char>{0x00, 0x00, 0x00}));
}

TEST(StepAdpcmChannel, ZeroRunGuardComparesWithStoredBytes) {
    // A long run of zero bytes from the encoder: every third stored byte becomes 0x80.
    const std::vector<unsigned char> stored = {0x71, 0x00, 0x00, 0x80, 0x00, 0x00, 0x80, 0x00,
                                               0x00, 0x80, 0x00, 0x5A, 0xC3, 0x00, 0x00};
    EXPECT_EQ(encode(tempWavImage(samplesStoring(stored)), high), stored);
}

TEST(StepAdpcmChannel, LongSilenceDoesNotDriftThroughTheGuard) {
    // Ten seconds of digital silence: the conditioned stream is the dither, with a guarded
    // zero run in most periods. The decoded signal must stay on the dither, not wander off.
    const auto bytes = encode(tempWavImage(std::vector<std::int16_t>(80000, 0)), high);
    int substitutions = 0;
    for (std::size_t i = 3; i < bytes.size(); ++i) {
        substitutions += bytes[i] == 0x80 && bytes[i - 1] == 0 && bytes[i - 2] == 0;
    }
    ASSERT_GT(substitutions, 100);
    const auto decoded = decode(bytes, high);
    double sum = 0;
    int peak = 0;
    for (std::int16_t v : decoded) {
        sum += v;
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    EXPECT_LT(std::abs(sum / static_cast<double>(decoded.size())), 20.0);
    EXPECT_LT(peak, 300);
}

TEST(StepAdpcmChannel, LowNibbleFirstHasNoZeroRunGuard) {
    const auto bytes = encode(tempWavImage(std::vector<std::int16_t>(64, 0)), low);
    // Raw silence from the reset state: code 0 gives +15, then code 8 pulls back, ...; whatever
    // the codes, no byte may be rewritten to 0x80 unless the codes say so.
    const auto decoded = decode(bytes, low);
    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const unsigned code = suite::stepAdpcmEncode(state, 0);
        ASSERT_EQ(decoded[i], state.predictor) << i;
        ASSERT_EQ(code, i % 2 ? bytes[i / 2] >> 4 : bytes[i / 2] & 0x0Fu);
    }
}

TEST(StepAdpcmChannel, DecodingWithTheWrongPackingSwapsEachPair) {
    const auto source = codec_test::speechLike(4000);
    for (StepAdpcmPacking written : {high, low}) {
        const StepAdpcmPacking other = written == high ? low : high;
        const auto bytes = encode(tempWavImage(source), written);
        std::vector<unsigned char> swapped(bytes);
        for (auto& b : swapped) b = static_cast<unsigned char>((b << 4) | (b >> 4));
        // The wrong packing feeds the codes of each pair in swapped order...
        EXPECT_EQ(decode(bytes, other), decode(swapped, written));
        // ...which ruins the sound that the right packing restores.
        const double right = codec_test::snrDb(source, decode(bytes, written));
        const double wrong = codec_test::snrDb(source, decode(bytes, other));
        EXPECT_GT(right, wrong + 6.0);
    }
}

} // namespace
