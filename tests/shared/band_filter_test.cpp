#include "shared/band_filter.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const double kPi = 3.14159265358979323846;

// amplitude x cos(2 pi bin j/n): a tone that sits exactly on a bin of an n-point transform.
void addBinTone(std::vector<suite::Complex>& work, std::size_t bin, double amplitude) {
    const std::size_t n = work.size();
    for (std::size_t j = 0; j < n; ++j) {
        const double phase = 2 * kPi * static_cast<double>((bin * j) % n) / static_cast<double>(n);
        work[j] += amplitude * std::cos(phase);
    }
}

double maxAbs(const double* x, std::size_t n) {
    double m = 0;
    for (std::size_t i = 0; i < n; ++i)
        m = std::max(m, std::fabs(x[i]));
    return m;
}

} // namespace

// Which bins survive: k0 = trunc(N H/R + 0.5) is the first kept bin, d = trunc(N L/R - 0.5)
// the first removed one. Every tone is exactly on its bin, so what survives keeps half its
// amplitude (its mirror bin N - k is above d) and what is removed leaves nothing.
struct BinCase {
    std::size_t n;
    double rate;
    suite::BandEdges edges;
    std::size_t bin;
    bool kept;
};

class BandLimitBins : public testing::TestWithParam<BinCase> {};

TEST_P(BandLimitBins, KeepsOrRemovesTheBin) {
    const BinCase c = GetParam();
    std::vector<suite::Complex> work(c.n);
    addBinTone(work, c.bin, 1000.0);
    suite::bandLimit(work.data(), c.n, c.rate, c.edges);
    const double* out = reinterpret_cast<const double*>(work.data());
    if (!c.kept) {
        EXPECT_LT(maxAbs(out, c.n), 1e-9) << "bin " << c.bin;
        return;
    }
    for (std::size_t j = 0; j < c.n; ++j) {
        const double phase =
            2 * kPi * static_cast<double>((c.bin * j) % c.n) / static_cast<double>(c.n);
        ASSERT_NEAR(out[j], 500.0 * std::cos(phase), 1e-9) << "bin " << c.bin << " sample " << j;
    }
}

// n = 1024 at 8000 Hz: 7.8125 Hz a bin. H = 20: k0 = trunc(2.56 + 0.5) = 3. L = 4000:
// d = trunc(512 - 0.5) = 511; L = 2000: d = trunc(256 - 0.5) = 255.
// n = 4096 at 44100 Hz, H = 20, L = 4000: k0 = trunc(1.857 + 0.5) = 2, d = trunc(371.5 - 0.5) =
// 371.
INSTANTIATE_TEST_SUITE_P(
    Edges, BandLimitBins,
    testing::Values(
        BinCase{1024, 8000, {20, 4000}, 0, false}, BinCase{1024, 8000, {20, 4000}, 2, false},
        BinCase{1024, 8000, {20, 4000}, 3, true}, BinCase{1024, 8000, {20, 4000}, 510, true},
        BinCase{1024, 8000, {20, 4000}, 511, false}, BinCase{1024, 8000, {20, 2000}, 254, true},
        BinCase{1024, 8000, {20, 2000}, 255, false}, BinCase{1024, 8000, {20, 2000}, 400, false},
        BinCase{4096, 44100, {20, 4000}, 1, false}, BinCase{4096, 44100, {20, 4000}, 2, true},
        BinCase{4096, 44100, {20, 4000}, 370, true}, BinCase{4096, 44100, {20, 4000}, 371, false},
        BinCase{4096, 44100, {20, 4000}, 1500, false}));

TEST(BandLimit, RemovesDc) {
    const std::size_t n = 1 << 14;
    std::vector<suite::Complex> work(n, suite::Complex(1234.0, 0.0));
    suite::bandLimit(work.data(), n, 44100, {20, 4000});
    EXPECT_LT(maxAbs(reinterpret_cast<const double*>(work.data()), n), 1e-9);
}

TEST(BandLimit, ToneAboveTheLowPassEdgeVanishesAndOneInsideStays) {
    // 2^16 points at 44100 Hz: bin 8917 is 6000.0 Hz (above 4000), bin 1486 is 1000.0 Hz.
    const std::size_t n = 1 << 16;
    std::vector<suite::Complex> work(n);
    addBinTone(work, 8917, 8000.0);
    addBinTone(work, 1486, 3000.0);
    suite::bandLimit(work.data(), n, 44100, {20, 4000});
    const double* out = reinterpret_cast<const double*>(work.data());
    for (std::size_t j = 0; j < n; ++j) {
        const double phase = 2 * kPi * static_cast<double>((1486 * j) % n) / static_cast<double>(n);
        ASSERT_NEAR(out[j], 1500.0 * std::cos(phase), 1e-8) << j;
    }
}

TEST(BandLimit, NarrowEdgeKeepsTheSamplingButCutsAbove2000Hz) {
    // 8000 Hz working rate (an 8 kHz file for the 4 kHz targets): 2500 Hz goes, 1500 Hz stays.
    const std::size_t n = 1 << 13; // 0.9765625 Hz a bin
    std::vector<suite::Complex> work(n);
    addBinTone(work, 2560, 1000.0); // 2500 Hz
    addBinTone(work, 1536, 1000.0); // 1500 Hz
    suite::bandLimit(work.data(), n, 8000, {20, 2000});
    const double* out = reinterpret_cast<const double*>(work.data());
    for (std::size_t j = 0; j < n; ++j) {
        const double phase = 2 * kPi * static_cast<double>((1536 * j) % n) / static_cast<double>(n);
        ASSERT_NEAR(out[j], 500.0 * std::cos(phase), 1e-9) << j;
    }
}

TEST(BandLimit, RealPartsAreCompactedInPlace) {
    // With every bin kept (mirror half included) the input comes back whole; only the layout
    // changes: n doubles instead of n complex values.
    const std::size_t n = 8;
    std::vector<suite::Complex> work(n);
    for (std::size_t j = 0; j < n; ++j)
        work[j] = static_cast<double>(j + 1);
    // H = 0 keeps bin 0; L = R x 2 puts d = trunc(2n - 0.5) beyond n.
    suite::bandLimit(work.data(), n, 8000, {0, 16000});
    const double* out = reinterpret_cast<const double*>(work.data());
    for (std::size_t j = 0; j < n; ++j)
        EXPECT_NEAR(out[j], static_cast<double>(j + 1), 1e-12) << j;
}

TEST(BandLimit, SingleSampleIsRemovedEntirely) {
    // N = 1 (zero or one frame): d = trunc(L/R - 0.5) = 0, so the only bin goes.
    std::vector<suite::Complex> work(1, suite::Complex(5000.0, 0.0));
    suite::bandLimit(work.data(), 1, 44100, {20, 4000});
    EXPECT_EQ(reinterpret_cast<const double*>(work.data())[0], 0.0);
}
