#include "shared/step_adpcm.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using suite::stepAdpcmState;

stepAdpcmState freshState() {
    stepAdpcmState s;
    s.predictor = 1234; // anything; the reset must overwrite it
    s.step = 999;
    suite::stepAdpcmReset(s);
    return s;
}

TEST(StepAdpcm, ResetGivesPredictorZeroAndStepFloor) {
    const stepAdpcmState s = freshState();
    EXPECT_EQ(s.predictor, 0);
    EXPECT_EQ(s.step, 127);
}

TEST(StepAdpcm, CodeZeroFromResetGivesFifteenAndKeepsStepAtFloor) {
    stepAdpcmState s = freshState();
    EXPECT_EQ(suite::stepAdpcmDecode(s, 0), 15); // 127 / 8
    EXPECT_EQ(s.step, 127);                      // 127 × 230 / 256 = 114, raised to the floor
}

struct DecodeCase {
    unsigned code;
    int predictorAfter;
    int stepAfter;
};

class StepAdpcmDecodeFromStep1000 : public testing::TestWithParam<DecodeCase> {};

// From predictor 0 and step 1000: difference = 125 + 250·b0 + 500·b1 + 1000·b2, signed by b3;
// step × {230,230,230,230,307,409,512,614} / 256.
TEST_P(StepAdpcmDecodeFromStep1000, AppliesDifferenceAndMultiplier) {
    stepAdpcmState s;
    s.predictor = 0;
    s.step = 1000;
    EXPECT_EQ(suite::stepAdpcmDecode(s, GetParam().code), GetParam().predictorAfter);
    EXPECT_EQ(s.step, GetParam().stepAfter);
}

INSTANTIATE_TEST_SUITE_P(Codes, StepAdpcmDecodeFromStep1000,
                         testing::Values(DecodeCase{0, 125, 898}, DecodeCase{1, 375, 898},
                                         DecodeCase{2, 625, 898}, DecodeCase{3, 875, 898},
                                         DecodeCase{4, 1125, 1199}, DecodeCase{5, 1375, 1597},
                                         DecodeCase{6, 1625, 2000}, DecodeCase{7, 1875, 2398},
                                         DecodeCase{8, -125, 898}, DecodeCase{15, -1875, 2398}));

TEST(StepAdpcm, RepeatedSevenSaturatesStepAndPredictor) {
    stepAdpcmState s = freshState();
    for (int i = 0; i < 40; ++i) suite::stepAdpcmDecode(s, 7);
    ASSERT_EQ(s.step, 24576);
    ASSERT_EQ(s.predictor, 32767);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(suite::stepAdpcmDecode(s, 7), 32767);
        EXPECT_EQ(s.step, 24576);
    }
}

TEST(StepAdpcm, RepeatedFifteenSaturatesAtTheNegativeEnd) {
    stepAdpcmState s = freshState();
    for (int i = 0; i < 50; ++i) suite::stepAdpcmDecode(s, 15);
    EXPECT_EQ(s.predictor, -32768);
    EXPECT_EQ(s.step, 24576);
}

TEST(StepAdpcm, EncoderAndDecoderStayInStep) {
    stepAdpcmState encoder = freshState();
    stepAdpcmState decoder = freshState();
    for (int i = 0; i < 4000; ++i) {
        // A chirp with jumps, to visit small and large steps.
        const double t = i / 8000.0;
        const int x = static_cast<int>(20000.0 * std::sin(2 * std::numbers::pi * (200 + 800 * t) * t)) +
                      ((i / 500) % 2 ? 8000 : -8000);
        const unsigned code = suite::stepAdpcmEncode(encoder, static_cast<std::int16_t>(x));
        ASSERT_LT(code, 16u);
        ASSERT_EQ(suite::stepAdpcmDecode(decoder, code), encoder.predictor) << "sample " << i;
        ASSERT_EQ(decoder.step, encoder.step);
    }
}

TEST(StepAdpcm, EncoderPicksTheCodeWithTheClosestReconstruction) {
    // The successive comparisons choose, for a given sign, the magnitude whose reconstruction
    // lies closest from below; check it against a search over all eight magnitudes.
    for (int step : {127, 300, 1001, 24576}) {
        for (int wide = -3 * step; wide <= 3 * step; wide += 7) {
            const int d = std::clamp(wide, -32768, 32767);
            stepAdpcmState s;
            s.step = static_cast<std::int16_t>(step);
            s.predictor = 0;
            const unsigned code = suite::stepAdpcmEncode(s, static_cast<std::int16_t>(d));
            int best = -1;
            for (unsigned m = 0; m < 8; ++m) {
                const int recon = step / 8 + (m & 1 ? step / 4 : 0) + (m & 2 ? step / 2 : 0) + (m & 4 ? step : 0);
                if (recon - step / 8 <= std::abs(d)) best = static_cast<int>(m);
            }
            EXPECT_EQ(code & 7, static_cast<unsigned>(best)) << "step " << step << " d " << d;
            EXPECT_EQ((code & 8) != 0, d < 0);
        }
    }
}

TEST(StepAdpcm, ConditioningMatchesTheDoublePrecisionFormulaForEverySample) {
    for (std::uint32_t k = 0; k < 64; ++k) {
        const double dither = std::trunc(128.0 * std::sin(2.0 * std::numbers::pi * k / 64.0));
        for (int s = -32768; s <= 32767; ++s) {
            const double x = 0.95 * s + dither;
            const double rounded = x >= 0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
            ASSERT_EQ(suite::conditionSample(static_cast<std::int16_t>(s), k), rounded)
                << "sample " << s << " index " << k;
        }
    }
}

TEST(StepAdpcm, ConditioningDitherRepeatsEvery64Samples) {
    for (std::uint32_t k = 0; k < 64; ++k) {
        EXPECT_EQ(suite::conditionSample(1000, k), suite::conditionSample(1000, k + 64));
        EXPECT_EQ(suite::conditionSample(1000, k), suite::conditionSample(1000, k + 6400));
    }
    EXPECT_EQ(suite::conditionSample(0, 16), 128);
    EXPECT_EQ(suite::conditionSample(0, 48), -128);
    EXPECT_EQ(suite::conditionSample(0, 0), 0);
}

} // namespace
