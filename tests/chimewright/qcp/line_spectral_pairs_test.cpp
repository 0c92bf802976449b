// Linear prediction and line spectral pairs: the closed-form pairs of the flat filter, both
// conversions on filters with sharp and with close resonances, and what is refused.
#include "chimewright/qcp/line_spectral_pairs.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double pi = 3.14159265358979323846;

// The filter of the given reflection coefficients (the step-up recursion).
cw::LpcCoefficients fromReflection(const std::array<double, cw::lpcOrder>& k) {
    cw::LpcCoefficients a{};
    for (int i = 0; i < cw::lpcOrder; ++i) {
        cw::LpcCoefficients next = a;
        for (int j = 0; j < i; ++j) next[j] = a[j] + k[i] * a[i - 1 - j];
        next[i] = k[i];
        a = next;
    }
    return a;
}

// Pairs at the given frequencies in Hz (of 8000 Hz sampling), rising.
cw::LineSpectralCosines atHz(const std::array<double, cw::lpcOrder>& hz) {
    cw::LineSpectralCosines x{};
    for (int i = 0; i < cw::lpcOrder; ++i) x[i] = std::cos(2.0 * pi * hz[i] / 8000.0);
    return x;
}

} // namespace

TEST(LineSpectralPairs, TheFlatFilterHasEvenlySpacedPairs) {
    const auto pairs = cw::lineSpectralPairs(cw::LpcCoefficients{});
    ASSERT_TRUE(pairs);
    for (int i = 0; i < cw::lpcOrder; ++i)
        EXPECT_NEAR((*pairs)[i], std::cos((i + 1) * pi / 11.0), 1e-12) << i;
    for (double c : cw::lpcFromLineSpectralPairs(*pairs)) EXPECT_NEAR(c, 0.0, 1e-12);
}

TEST(LineSpectralPairs, FiltersAndPairsConvertBothWays) {
    struct Case {
        const char* name;
        cw::LpcCoefficients lpc;
    };
    const Case cases[] = {
        {"gentle", fromReflection({0.5, -0.3, 0.2, -0.1, 0.1, -0.05, 0.05, 0, 0.02, -0.01})},
        {"speech-like", fromReflection({-0.95, 0.7, 0.4, -0.3, 0.25, 0.1, -0.2, 0.1, 0.05, -0.05})},
        {"sharp resonances", fromReflection({-0.99, 0.98, -0.5, 0.9, 0.3, -0.8, 0.4, 0.6, -0.3, 0.2})},
        {"close pairs", cw::lpcFromLineSpectralPairs(atHz({300, 310, 900, 1400, 2000, 2008, 2600,
                                                           3000, 3400, 3800}))},
    };
    for (const Case& c : cases) {
        const auto pairs = cw::lineSpectralPairs(c.lpc);
        ASSERT_TRUE(pairs) << c.name;
        for (int i = 1; i < cw::lpcOrder; ++i) EXPECT_LT((*pairs)[i], (*pairs)[i - 1]) << c.name;
        const cw::LpcCoefficients back = cw::lpcFromLineSpectralPairs(*pairs);
        for (int i = 0; i < cw::lpcOrder; ++i) EXPECT_NEAR(back[i], c.lpc[i], 1e-9) << c.name << " c" << i + 1;
    }
    // Pairs given first come back as they were.
    const auto given = atHz({250, 500, 800, 1200, 1700, 2100, 2600, 3000, 3300, 3700});
    const auto again = cw::lineSpectralPairs(cw::lpcFromLineSpectralPairs(given));
    ASSERT_TRUE(again);
    for (int i = 0; i < cw::lpcOrder; ++i) EXPECT_NEAR((*again)[i], given[i], 1e-10) << i;
}

TEST(LineSpectralPairs, AFilterThatIsNotMinimumPhaseHasNone) {
    cw::LpcCoefficients lpc{};
    lpc[0] = -2.5; // a zero at z = 2.5, outside the unit circle
    EXPECT_FALSE(cw::lineSpectralPairs(lpc));
}

TEST(LinearPrediction, LevinsonDurbinFindsTheFilterOfAnAutocorrelation) {
    // A first-order process with pole 0.8 needs one coefficient.
    std::array<double, cw::lpcOrder + 1> r{};
    for (int i = 0; i <= cw::lpcOrder; ++i) r[i] = std::pow(0.8, i);
    const auto lpc = cw::lpcFromAutocorrelation(r);
    ASSERT_TRUE(lpc);
    EXPECT_NEAR((*lpc)[0], -0.8, 1e-12);
    for (int i = 1; i < cw::lpcOrder; ++i) EXPECT_NEAR((*lpc)[i], 0.0, 1e-12) << i;

    // The autocorrelation of a filter's own impulse response gives that filter back.
    const auto target = fromReflection({-0.9, 0.6, 0.3, -0.2, 0.2, 0.1, -0.1, 0.05, 0.05, -0.02});
    std::vector<double> h(4000, 0.0);
    for (std::size_t n = 0; n < h.size(); ++n) {
        double v = n == 0 ? 1.0 : 0.0;
        for (int k = 1; k <= cw::lpcOrder && k <= static_cast<int>(n); ++k) v -= target[k - 1] * h[n - k];
        h[n] = v;
    }
    for (int lag = 0; lag <= cw::lpcOrder; ++lag) {
        r[lag] = 0.0;
        for (std::size_t n = lag; n < h.size(); ++n) r[lag] += h[n] * h[n - lag];
    }
    const auto found = cw::lpcFromAutocorrelation(r);
    ASSERT_TRUE(found);
    for (int i = 0; i < cw::lpcOrder; ++i) EXPECT_NEAR((*found)[i], target[i], 1e-6) << i;
}

TEST(LinearPrediction, NoFilterForSilenceOrAPerfectlyPredictableSignal) {
    std::array<double, cw::lpcOrder + 1> silence{};
    EXPECT_FALSE(cw::lpcFromAutocorrelation(silence));
    std::array<double, cw::lpcOrder + 1> constant{};
    constant.fill(1.0); // a reflection coefficient of -1
    EXPECT_FALSE(cw::lpcFromAutocorrelation(constant));
}
