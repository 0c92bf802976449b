// tarnwick's quarter-step quantiser, its packing and the samples it takes in each rate mode.
#include "shared/step_adpcm.hpp"
#include "tarnwick/engine/wave_encoder.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<unsigned char> encode(const std::vector<std::int16_t>& samples) {
    std::vector<unsigned char> out((samples.size() + 1) / 2, 0xEE);
    EXPECT_TRUE(tarnwick::quarterStepEncode(samples.data(), samples.size(), out.data(), out.size()));
    return out;
}

// A file image whose data chunk (from offset 0) holds these 16-bit samples.
struct Data {
    std::vector<unsigned char> image;
    tarnwick::WaveInfo info;
};

Data dataOf(const std::vector<std::int16_t>& samples, std::size_t extraBytes = 0) {
    Data d;
    for (std::int16_t s : samples) {
        d.image.push_back(static_cast<unsigned char>(s & 0xFF));
        d.image.push_back(static_cast<unsigned char>((s >> 8) & 0xFF));
    }
    d.image.insert(d.image.end(), extraBytes, 0x40);
    d.info = {0, d.image.size(), tarnwick::rateCode8k};
    return d;
}

} // namespace

// From the fresh state (step 127) a quarter step is 31: the magnitude is how many of them fit.
TEST(QuarterStepEncode, FirstCodeCountsQuarterSteps) {
    struct Case {
        std::int16_t sample;
        unsigned code;
    };
    const Case cases[] = {
        {0, 0x0},    {30, 0x0},  {31, 0x1},  {61, 0x1}, {62, 0x2},
        {217, 0x7},  {5000, 0x7}, {-1, 0x8}, {-31, 0x9}, {-100, 0xB},
    };
    for (const Case& c : cases) EXPECT_EQ(encode({c.sample})[0], c.code) << c.sample;
}

// Worked by hand from the rules: 1000 gives 7 (predictor 236, step 304), -1000 gives
// 8 + 7 (predictor -334, step 729), 0 gives 1; low nibble first.
TEST(QuarterStepEncode, FollowsTheDecoderState) {
    EXPECT_EQ(encode({1000, -1000, 0}), (std::vector<unsigned char>{0xF7, 0x01}));
}

TEST(QuarterStepEncode, RefusesTooLittleRoom) {
    const std::vector<std::int16_t> samples = {100, 200, 300, 400, 500};
    std::vector<unsigned char> out(3, 0xEE);
    EXPECT_FALSE(tarnwick::quarterStepEncode(samples.data(), 5, out.data(), 2));
    EXPECT_EQ(out, (std::vector<unsigned char>{0xEE, 0xEE, 0xEE}));
    EXPECT_TRUE(tarnwick::quarterStepEncode(samples.data(), 5, out.data(), 3));
    EXPECT_EQ(out[2] & 0xF0, 0) << "an odd count leaves the last high nibble 0";
}

TEST(EncodeWave, SampleCountsPerRateMode) {
    struct Case {
        std::size_t dataBytes;
        int rateMode;
        std::size_t adpcmBytes;
    };
    const Case cases[] = {
        {2000, tarnwick::rateMode8k, 500},       {2000, tarnwick::rateModeHalved, 250},
        {2000, tarnwick::rateMode4kSource, 500}, {2003, tarnwick::rateMode8k, 501},
        {2003, tarnwick::rateModeHalved, 251},   {2001, tarnwick::rateModeHalved, 250},
        {2002, tarnwick::rateModeHalved, 251},
    };
    for (const Case& c : cases) {
        Data d = dataOf(std::vector<std::int16_t>(c.dataBytes / 2, 1234), c.dataBytes % 2);
        EXPECT_EQ(tarnwick::encodeWave(d.image, d.info, c.rateMode).size(), c.adpcmBytes)
            << c.dataBytes << " bytes, rate mode " << c.rateMode;
    }
}

TEST(EncodeWave, HalvedRateTakesTheFirstSampleOfEachPair) {
    std::vector<std::int16_t> kept, interleaved;
    const auto sine = testing_support::sineWave(300, 4000, 400, 12000);
    for (std::int32_t v : sine) {
        kept.push_back(static_cast<std::int16_t>(v));
        interleaved.push_back(static_cast<std::int16_t>(v));
        interleaved.push_back(-30000); // must never be heard
    }
    Data d = dataOf(interleaved);
    EXPECT_EQ(tarnwick::encodeWave(d.image, d.info, tarnwick::rateModeHalved), encode(kept));
}

TEST(EncodeWave, ReadsOnlyTheDataChunk) {
    Data d = dataOf({500, -500, 700, -700});
    d.image.insert(d.image.begin(), 10, 0x7F); // bytes before the chunk body
    d.image.insert(d.image.end(), 10, 0x7F);   // and after it
    d.info = {10, 8, tarnwick::rateCode8k};
    EXPECT_EQ(tarnwick::encodeWave(d.image, d.info, tarnwick::rateMode8k),
              encode({500, -500, 700, -700}));
}

// Decoded with the shared step-ADPCM reconstruction, the sound is the sound that went in: a
// quantiser that picked its codes badly would lose several decibels.
TEST(EncodeWave, DecodesToTheInput) {
    const auto sine = testing_support::sineWave(440, 8000, 8000, 10000);
    std::vector<std::int16_t> samples(sine.begin(), sine.end());
    const std::vector<unsigned char> codes = encode(samples);

    suite::stepAdpcmState state;
    suite::stepAdpcmReset(state);
    double signal = 0, noise = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const unsigned code = i % 2 == 0 ? codes[i / 2] & 0x0F : codes[i / 2] >> 4;
        const double decoded = suite::stepAdpcmDecode(state, code);
        signal += double(samples[i]) * samples[i];
        noise += (decoded - samples[i]) * (decoded - samples[i]);
    }
    const double snr = 10 * std::log10(signal / noise);
    EXPECT_GT(snr, 27.0) << "measured: 29.1 dB";
}
