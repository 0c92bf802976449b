#include "chimewright/audio/signal_chain.hpp"

#include "shared/band_filter.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

double rms(const double* x, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i)
        sum += x[i] * x[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

} // namespace

// ---------------------------------------------------------------------------------------
// Resampling: delivered counts.

struct CountCase {
    unsigned rate;
    unsigned target;
    std::size_t input;
    std::size_t delivered;
};

class ResampleCount : public testing::TestWithParam<CountCase> {};

TEST_P(ResampleCount, DeliversOneLessThanComputed) {
    const CountCase c = GetParam();
    std::vector<double> in(c.input, 1.0);
    // Sentinels show how far the resampler wrote: never beyond the input count.
    std::vector<double> out(c.input + 4, -7.0);
    EXPECT_EQ(cw::resampleSpline(c.rate, c.target, c.input, in.data(), out.data()), c.delivered);
    for (std::size_t i = c.input; i < out.size(); ++i)
        EXPECT_EQ(out[i], -7.0) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Rates, ResampleCount,
    testing::Values(
        // 44100 -> 8000: t advances 5.5125 a step; positions 0 .. 7999 have j < 44100, so
        // 8000 are computed and 7999 delivered.
        CountCase{44100, 8000, 44100, 7999},
        // j reaches the input count first: i = 2 gives j = 11 >= 6; positions 0, 1 computed.
        CountCase{44100, 8000, 6, 1}, CountCase{44100, 8000, 2, 0}, CountCase{44100, 8000, 1, 0},
        CountCase{44100, 8000, 0, 0},
        // Equal rates and upsampling stop at i + 1 = input count: input - 1 delivered.
        CountCase{16000, 16000, 100, 99}, CountCase{12000, 16000, 12, 11},
        CountCase{22050, 32000, 1000, 999},
        // 48000 -> 16000 with an input that is not a multiple of 3: j = 3i < 10 up to i = 3.
        CountCase{48000, 16000, 10, 3},
        // Ten seconds at 44100 to 32000: i R passes 2^32 long before the end.
        CountCase{44100, 32000, 441000, 319999}));

// ---------------------------------------------------------------------------------------
// Resampling: values.

TEST(ResampleSpline, NaturalSplineThroughFourPoints) {
    // Points (-1, 0), (0, 1), (1, 0), (2, 0) with zero second derivatives at -1 and 2:
    // M0 = -3.6, M1 = 2.4, value at 0.5 = 0.575; the output is doubled.
    const double in[3] = {1.0, 0.0, 0.0};
    double out[3] = {};
    ASSERT_EQ(cw::resampleSpline(8000, 16000, 3, in, out), 2u);
    EXPECT_DOUBLE_EQ(out[0], 2.0);  // f = 0 gives b (doubled)
    EXPECT_DOUBLE_EQ(out[1], 1.15); // 2 x 0.575
}

TEST(ResampleSpline, EqualRatesDoubleTheSamples) {
    const double in[5] = {3.0, -1.5, 1000.0, 0.25, -32768.0};
    double out[5] = {};
    ASSERT_EQ(cw::resampleSpline(8000, 8000, 5, in, out), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], 2 * in[i]) << i;
}

TEST(ResampleSpline, LongInputsKeepExactPositions) {
    // A ramp is reproduced exactly where all four neighbours lie on it. Output 300000 of
    // 44100 -> 32000 sits at t = 413437.5 (i R = 1.3e10, beyond 32 bits).
    const std::size_t n = 441000;
    std::vector<double> in(n);
    for (std::size_t j = 0; j < n; ++j)
        in[j] = static_cast<double>(j);
    std::vector<double> out(n);
    ASSERT_EQ(cw::resampleSpline(44100, 32000, n, in.data(), out.data()), 319999u);
    EXPECT_EQ(out[300000], 2 * 413437.5);
    EXPECT_EQ(out[320], 2 * 441.0);
    EXPECT_EQ(out[319998], 2 * (319998.0 * 44100 / 32000));
}

// ---------------------------------------------------------------------------------------
// Band limiting and resampling together: a tone in the band keeps its level (the real part
// carries half, the resampler doubles), one above the low-pass edge and DC vanish.

struct ChainCase {
    unsigned target;
    suite::BandEdges edges;
    double toneHz; // inside the band
    double outOfBandHz;
};

class BandAndResample : public testing::TestWithParam<ChainCase> {};

TEST_P(BandAndResample, KeepsTheLevelInsideTheBand) {
    const ChainCase c = GetParam();
    const unsigned rate = 44100;
    const std::size_t n = 1 << 16;
    // Tones exactly on bins, so the circular block holds whole periods.
    const auto bin = [&](double hz) { return static_cast<std::size_t>(hz * n / rate + 0.5); };
    const std::size_t inBand = bin(c.toneHz);
    const std::size_t outOfBand = bin(c.outOfBandHz);
    const double amplitude = 10000.0;
    std::vector<suite::Complex> work(n);
    for (std::size_t j = 0; j < n; ++j) {
        const double p1 = 2 * kPi * static_cast<double>((inBand * j) % n) / n;
        const double p2 = 2 * kPi * static_cast<double>((outOfBand * j) % n) / n;
        work[j] = amplitude * std::sin(p1) + 5000.0 * std::sin(p2) + 2500.0; // + DC
    }
    suite::bandLimit(work.data(), n, rate, c.edges);
    double* signal = reinterpret_cast<double*>(work.data());
    double* resampled = signal + n;
    const std::size_t count = cw::resampleSpline(rate, c.target, n, signal, resampled);
    ASSERT_GT(count, 1000u);

    // Level: the RMS of the tone, away from the ends (the resampler pads with zeros there).
    const double got = rms(resampled, 16, count - 16);
    const double want = amplitude / std::sqrt(2.0);
    EXPECT_LT(std::fabs(20 * std::log10(got / want)), 0.1)
        << c.toneHz << " Hz at " << c.target << ": " << got << " vs " << want;

    // What is left besides the tone is tiny: the out-of-band tone and DC are gone.
    const double hzPerBin = static_cast<double>(rate) / n;
    const double f = inBand * hzPerBin;
    double residual = 0;
    for (std::size_t i = 16; i < count - 16; ++i) {
        const double t = static_cast<double>(i) / c.target;
        const double ideal = amplitude * std::sin(2 * kPi * f * t);
        residual = std::max(residual, std::fabs(resampled[i] - ideal));
    }
    EXPECT_LT(residual, 0.01 * amplitude) << "residual " << residual;
    double mean = 0;
    for (std::size_t i = 16; i < count - 16; ++i)
        mean += resampled[i];
    EXPECT_LT(std::fabs(mean / (count - 32)), 1.0);
}

INSTANTIATE_TEST_SUITE_P(Targets, BandAndResample,
                         testing::Values(ChainCase{8000, {20, 4000}, 1000, 6000},
                                         ChainCase{8000, {20, 2000}, 1000, 3000},
                                         ChainCase{16000, {40, 8000}, 1000, 9000},
                                         ChainCase{32000, {80, 16000}, 1000, 18000},
                                         ChainCase{8000, {20, 4000}, 300, 5000},
                                         ChainCase{8000, {20, 4000}, 3000, 7000}));

// ---------------------------------------------------------------------------------------
// Level stage.

TEST(ApplyLevel, SoftKneeWhenNormalisationIsOff) {
    std::vector<double> in = {32767, -32767, 10000, -10000, 31000, 0, 40000, -29490.3};
    const std::vector<double> want = {32767, -32767, 11000, -11000, 32590.3, 0, 32767, -32439.33};
    const std::vector<double> original = in;
    std::vector<double> out(in.size());
    cw::applyLevel(in.size(), out.data(), -1.0, in.data());
    for (std::size_t i = 0; i < in.size(); ++i)
        EXPECT_NEAR(out[i], want[i], 1e-9) << in[i];
    EXPECT_EQ(in, original); // the input is left alone in this mode
}

TEST(ApplyLevel, LevelZeroGivesSilence) {
    std::vector<double> in = {100, -2000, 30000, 5, -32768};
    std::vector<double> out(in.size(), 1.0);
    cw::applyLevel(in.size(), out.data(), 0.0, in.data());
    for (double v : out)
        EXPECT_EQ(v, 0.0);
}

TEST(ApplyLevel, SilentInputStaysSilent) {
    std::vector<double> in(100, 0.0);
    std::vector<double> out(in.size(), 1.0);
    cw::applyLevel(in.size(), out.data(), 0.8, in.data());
    for (double v : out)
        EXPECT_EQ(v, 0.0);
    for (double v : in)
        EXPECT_EQ(v, 0.0); // no 0/0
}

TEST(ApplyLevel, NothingToDoForNoSamples) {
    cw::applyLevel(0, nullptr, 0.5, nullptr);
    cw::applyLevel(0, nullptr, -1.0, nullptr);
}

// What each normalised sample becomes: (input values, level) -> output values.
struct LevelCase {
    const char* what;
    std::vector<double> in;
    double level;
    std::vector<double> out;
};

void PrintTo(const LevelCase& c, std::ostream* os) {
    *os << c.what;
}

class NormaliseCases : public testing::TestWithParam<LevelCase> {};

TEST_P(NormaliseCases, MapsEverySample) {
    const LevelCase& c = GetParam();
    std::vector<double> in = c.in;
    std::vector<double> out(in.size());
    cw::applyLevel(in.size(), out.data(), c.level, in.data());
    for (std::size_t i = 0; i < in.size(); ++i)
        EXPECT_NEAR(out[i], c.out[i], 1e-6) << c.what << " " << i;
    // The input array now holds the samples divided by the peak.
    double peak = 0;
    for (double v : c.in)
        peak = std::max(peak, std::fabs(v));
    for (std::size_t i = 0; i < in.size(); ++i)
        EXPECT_DOUBLE_EQ(in[i], c.in[i] / peak) << c.what;
}

std::vector<double> repeat(std::initializer_list<std::pair<double, int>> runs) {
    std::vector<double> v;
    for (const auto& [value, times] : runs)
        v.insert(v.end(), times, value);
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Percentiles, NormaliseCases,
    testing::Values(
        // Every sample at the peak: the 97th percentile is bin 1999 (c > 0.8): only scaled.
        LevelCase{"square", repeat({{1000, 50}, {-1000, 50}}), 0.5,
                  repeat({{16383.5, 50}, {-16383.5, 50}})},
        // 97th percentile at 0.85 of the peak (> 0.8): only scaled.
        LevelCase{"high percentile", repeat({{850, 98}, {-1000, 2}}), 1.0,
                  repeat({{0.85 * 32767, 98}, {-32767, 2}})},
        // 98 % at half the peak: c = 1000/2000 = 0.5; the percentile maps to 0.9 of full
        // scale, the peak to 1.0.
        LevelCase{"compressed", repeat({{500, 49}, {-500, 49}, {1000, 1}, {-1000, 1}}), 1.0,
                  repeat({{29490.3, 49}, {-29490.3, 49}, {32767, 1}, {-32767, 1}})},
        // Between c and the peak: h = (0.75 - 0.5) x 0.1 / 0.5 + 0.9 = 0.95. (97 of 100
        // samples in one bin do not exceed 97 %: 98 are needed.)
        LevelCase{"above the percentile", repeat({{500, 98}, {750, 1}, {1000, 1}}), 0.5,
                  repeat({{0.45 * 32767, 98}, {0.475 * 32767, 1}, {0.5 * 32767, 1}})},
        // A level above 1 is capped at full scale.
        LevelCase{"capped", repeat({{20000, 10}, {-20000, 10}}), 1.5,
                  repeat({{32767, 10}, {-32767, 10}})},
        // Open point: 97 % of the sound below 1/2000 of its peak (l = 0). Scaled by the gain
        // without compression rather than left at +-1.
        LevelCase{"percentile in bin 0", repeat({{0, 99}, {-4000, 1}}), 0.8,
                  repeat({{0, 99}, {-0.8 * 32767, 1}})}),
    [](const testing::TestParamInfo<LevelCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });
