#include "shared/fft.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using suite::Complex;

namespace {

// Deterministic inputs in [-0.5, 0.5) (no <random>: its distributions differ between
// standard libraries, and the golden hashes below must hold on every build).
class Lcg {
  public:
    explicit Lcg(std::uint64_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state_ >> 11) / 9007199254740992.0 - 0.5;
    }

  private:
    std::uint64_t state_;
};

std::vector<Complex> randomSignal(std::size_t n, std::uint64_t seed) {
    Lcg rng(seed);
    std::vector<Complex> x(n);
    for (auto& v : x) {
        const double re = rng.next();
        v = Complex(re, rng.next());
    }
    return x;
}

const long double kPi = 3.141592653589793238462643383279502884L;

// e^(2 pi i m/n) in long double, reduced around the nearest axis so that values near zero
// keep their relative precision.
std::complex<long double> exactRoot(std::int64_t m, std::int64_t n) {
    m %= n;
    if (m < 0) m += n;
    // m = q n/4 + d with |d| <= n/8: e^(i q pi/2) e^(2 pi i d/n).
    const std::int64_t quarter = n / 4;
    std::int64_t q = 0;
    std::int64_t d = m;
    if (n >= 4) {
        q = (m + quarter / 2) / quarter;
        d = m - q * quarter;
    }
    const long double angle = 2 * kPi * static_cast<long double>(d) / static_cast<long double>(n);
    const long double c = std::cos(angle);
    const long double s = std::sin(angle);
    switch (q & 3) {
    case 0:
        return {c, s};
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    default:
        return {s, -c};
    }
}

// The definition: X[k] = sum x[j] e^(sign 2 pi i jk/n), in long double.
std::vector<Complex> directDft(const std::vector<Complex>& x, int sign) {
    const std::int64_t n = static_cast<std::int64_t>(x.size());
    std::vector<std::complex<long double>> roots(x.size());
    for (std::int64_t m = 0; m < n; ++m)
        roots[m] = exactRoot(sign * m, n);
    std::vector<Complex> out(x.size());
    for (std::int64_t k = 0; k < n; ++k) {
        std::complex<long double> sum = 0;
        for (std::int64_t j = 0; j < n; ++j)
            sum += std::complex<long double>(x[j].real(), x[j].imag()) * roots[(j * k) % n];
        out[k] = Complex(static_cast<double>(sum.real()), static_cast<double>(sum.imag()));
    }
    return out;
}

double maxAbs(const std::vector<Complex>& x) {
    double m = 0;
    for (const auto& v : x)
        m = std::max(m, std::abs(v));
    return m;
}

double maxDiff(const std::vector<Complex>& a, const std::vector<Complex>& b) {
    double m = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        m = std::max(m, std::abs(a[i] - b[i]));
    return m;
}

std::uint64_t fnv1a(const void* data, std::size_t bytes, std::uint64_t h = 1469598103934665603ull) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < bytes; ++i) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace

// Sizes on both sides of the direct / rows x columns boundary (2^10), odd and even powers.
class FftAgainstDirectDft : public testing::TestWithParam<int> {};

TEST_P(FftAgainstDirectDft, BothDirections) {
    const std::size_t n = std::size_t{1} << GetParam();
    for (int sign : {+1, -1}) {
        const std::vector<Complex> x = randomSignal(n, 17 + n);
        const std::vector<Complex> expected = directDft(x, sign);
        std::vector<Complex> got = x;
        suite::fft(got.data(), n, sign);
        const double scale = std::max(1.0, maxAbs(expected));
        EXPECT_LE(maxDiff(got, expected) / scale, 2e-15) << "n = " << n << ", sign " << sign;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FftAgainstDirectDft,
                         testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12));

TEST(Fft, ImpulseAndToneAtLargeSizes) {
    for (int logN : {15, 18}) {
        const std::size_t n = std::size_t{1} << logN;
        // An impulse at p: X[k] = e^(+2 pi i p k/n).
        const std::size_t p = 12345 % n;
        std::vector<Complex> x(n);
        x[p] = 1.0;
        suite::fft(x.data(), n, +1);
        double worst = 0;
        for (std::size_t k = 0; k < n; ++k) {
            const auto w =
                exactRoot(static_cast<std::int64_t>((p * k) % n), static_cast<std::int64_t>(n));
            worst = std::max(worst, std::abs(x[k] - Complex(static_cast<double>(w.real()),
                                                            static_cast<double>(w.imag()))));
        }
        EXPECT_LE(worst, 1e-14) << "n = 2^" << logN;
        // A tone e^(-2 pi i f j/n) lands at bin f of the forward transform, with height n.
        const std::size_t f = 777;
        for (std::size_t j = 0; j < n; ++j) {
            const auto w =
                exactRoot(-static_cast<std::int64_t>((f * j) % n), static_cast<std::int64_t>(n));
            x[j] = Complex(static_cast<double>(w.real()), static_cast<double>(w.imag()));
        }
        suite::fft(x.data(), n, +1);
        for (std::size_t k = 0; k < n; ++k) {
            const double want = k == f ? static_cast<double>(n) : 0.0;
            ASSERT_NEAR(std::abs(x[k]), want, 1e-9) << "bin " << k << ", n = 2^" << logN;
        }
    }
}

TEST(Fft, RoundTripOnALargeSize) {
    for (int logN : {20, 21}) {
        const std::size_t n = std::size_t{1} << logN;
        const std::vector<Complex> x = randomSignal(n, 99);
        std::vector<Complex> y = x;
        suite::fft(y.data(), n, +1);
        suite::fft(y.data(), n, -1);
        for (auto& v : y)
            v /= static_cast<double>(n);
        EXPECT_LE(maxDiff(x, y), 2e-15) << "n = 2^" << logN;
    }
}

TEST(Fft, UnalignedStorageWorks) {
    // std::complex<double> is only 8-byte aligned: the transform must not assume 16.
    const std::size_t n = 4096;
    std::vector<double> storage(2 * n + 1);
    Complex* data = reinterpret_cast<Complex*>(storage.data() + 1);
    const std::vector<Complex> x = randomSignal(n, 5);
    std::copy(x.begin(), x.end(), data);
    std::vector<Complex> aligned = x;
    suite::fft(data, n, -1);
    suite::fft(aligned.data(), n, -1);
    for (std::size_t i = 0; i < n; ++i)
        ASSERT_EQ(data[i], aligned[i]);
}

TEST(FftTwiddles, WithinOneUlpOfTheTrueValues) {
    auto ulps = [](double got, long double exact) {
        if (exact == 0) return got == 0 ? 0.0 : 1e300;
        const int e = std::ilogb(static_cast<double>(exact));
        return static_cast<double>(std::fabs(static_cast<long double>(got) - exact) /
                                   std::ldexp(1.0L, e - 52));
    };
    for (int logN : {3, 8, 13, 20}) {
        const std::uint64_t n = std::uint64_t{1} << logN;
        const std::uint64_t step = logN > 13 ? 97 : 1;
        double worst = 0;
        for (std::uint64_t k = 0; k < n; k += step) {
            const Complex w = suite::detail::unitRoot(k, n);
            const auto exact =
                exactRoot(static_cast<std::int64_t>(k), static_cast<std::int64_t>(n));
            worst = std::max({worst, ulps(w.real(), exact.real()), ulps(w.imag(), exact.imag())});
        }
        EXPECT_LT(worst, 1.0) << "n = 2^" << logN;
    }
}

TEST(FftTwiddles, ExactOnTheAxesAndDiagonals) {
    const double h = 0.70710678118654757274; // sqrt(1/2), correctly rounded
    const Complex expected[8] = {{1, 0},  {h, h},   {0, 1},  {-h, h},
                                 {-1, 0}, {-h, -h}, {0, -1}, {h, -h}};
    for (std::uint64_t n : {8ull, 64ull, 1ull << 23}) {
        for (std::uint64_t q = 0; q < 8; ++q) {
            const Complex w = suite::detail::unitRoot(q * n / 8, n);
            EXPECT_EQ(w, expected[q]) << q << "/8 of n = " << n;
            EXPECT_FALSE(std::signbit(w.real()) && w.real() == 0) << "negative zero";
        }
    }
    EXPECT_EQ(suite::detail::unitRoot(1, 2), Complex(-1, 0));
    EXPECT_EQ(suite::detail::unitRoot(3, 4), Complex(0, -1));
    EXPECT_EQ(suite::detail::unitRoot(5, 4), Complex(0, 1)); // k is taken modulo n
}

// The native build and the mingw-w64 build run under Wine must compute these exact bits (the
// temporary WAV files of both builds have to be byte-identical). A change of the transform's
// algorithm changes them: then check that both builds agree on the new values before
// updating them here.
TEST(FftDeterminism, GoldenBits) {
    std::uint64_t h = fnv1a(nullptr, 0);
    for (int logN = 0; logN <= 16; ++logN) {
        const std::uint64_t n = std::uint64_t{1} << logN;
        for (std::uint64_t k = 0; k < n; ++k) {
            const Complex w = suite::detail::unitRoot(k, n);
            h = fnv1a(&w, sizeof w, h);
        }
    }
    EXPECT_EQ(h, 0x47f69cdb9604a4daull) << std::hex << "twiddles: " << h;

    struct Case {
        int logN;
        std::uint64_t forward;
        std::uint64_t inverse;
        std::uint64_t bandPass;
    };
    const Case cases[] = {
        {5, 0x4dee9865beb2f2faull, 0x2af697a42df0c835ull, 0x96e4c5c455371e23ull},
        {10, 0x1b44d77a1f830d29ull, 0x1301a6986022b7daull, 0x47f4d66542f0c3e6ull},
        {13, 0x24c67752010dbe41ull, 0x853be976f06900e4ull, 0x7bab976ffb4c4b9bull},
        {18, 0x4c7dea4037eec4daull, 0xa6e1bd1619663655ull, 0x0d7acb0593abb693ull},
    };
    for (const Case& c : cases) {
        const std::size_t n = std::size_t{1} << c.logN;
        std::vector<Complex> x = randomSignal(n, 2024);
        suite::fft(x.data(), n, +1);
        EXPECT_EQ(fnv1a(x.data(), n * sizeof(Complex)), c.forward)
            << std::hex << "forward 2^" << std::dec << c.logN << ": " << std::hex
            << fnv1a(x.data(), n * sizeof(Complex));
        suite::fft(x.data(), n, -1);
        EXPECT_EQ(fnv1a(x.data(), n * sizeof(Complex)), c.inverse)
            << std::hex << "inverse 2^" << std::dec << c.logN << ": " << std::hex
            << fnv1a(x.data(), n * sizeof(Complex));
        x = randomSignal(n, 7);
        suite::fftBandPass(x.data(), n, n / 64, n / 5);
        EXPECT_EQ(fnv1a(x.data(), n * sizeof(Complex)), c.bandPass)
            << std::hex << "band pass 2^" << std::dec << c.logN << ": " << std::hex
            << fnv1a(x.data(), n * sizeof(Complex));
    }
}

struct BandPassCase {
    int logN;
    std::size_t keepBegin;
    std::size_t keepEnd;
};

class FftBandPass : public testing::TestWithParam<BandPassCase> {};

// The band-pass equals forward transform, zeroing, inverse transform.
TEST_P(FftBandPass, MatchesTransformMaskTransform) {
    const BandPassCase c = GetParam();
    const std::size_t n = std::size_t{1} << c.logN;
    std::vector<Complex> expected = randomSignal(n, 3 + n);
    std::vector<Complex> got = expected;
    suite::fft(expected.data(), n, +1);
    for (std::size_t k = 0; k < n; ++k)
        if (k < c.keepBegin || k >= c.keepEnd) expected[k] = 0.0;
    suite::fft(expected.data(), n, -1);
    suite::fftBandPass(got.data(), n, c.keepBegin, c.keepEnd);
    EXPECT_LE(maxDiff(got, expected), 1e-13 * static_cast<double>(n))
        << "n = 2^" << c.logN << " keep [" << c.keepBegin << ", " << c.keepEnd << ")";
}

INSTANTIATE_TEST_SUITE_P(Ranges, FftBandPass,
                         testing::Values(BandPassCase{0, 0, 1}, BandPassCase{0, 1, 1},
                                         BandPassCase{1, 1, 2}, BandPassCase{3, 1, 3},
                                         BandPassCase{8, 0, 256}, BandPassCase{8, 5, 5},
                                         BandPassCase{8, 200, 100}, BandPassCase{10, 7, 93},
                                         BandPassCase{11, 3, 2000}, BandPassCase{14, 40, 1486},
                                         BandPassCase{17, 1, 99999},
                                         BandPassCase{12, 0, 1u << 20}));

// fftForwardBand and fftInverseBand give the bits of fftBandPass for every band cut from one
// kept spectrum: direct sizes, rows x columns sizes, empty and full bands, bands up to the
// kept limit.
TEST(FftBandHalves, EveryBandOfOneSpectrumHasTheBitsOfTheFusedBandPass) {
    for (int logN : {0, 1, 3, 8, 10, 11, 14, 17}) {
        const std::size_t n = std::size_t{1} << logN;
        const std::size_t limit = std::min(n, n / 3 + 1);
        const std::vector<Complex> x = randomSignal(n, 5 + n);
        std::vector<Complex> work = x;
        suite::BandSpectrum spectrum;
        ASSERT_TRUE(suite::fftForwardBand(work.data(), n, limit, spectrum));
        const std::pair<std::size_t, std::size_t> bands[] = {
            {0, limit}, {1, limit / 2 + 1}, {limit / 4, limit}, {5, 5}, {limit, limit / 2}, {0, 1}};
        for (const auto& [keepBegin, keepEnd] : bands) {
            std::vector<Complex> expected = x;
            suite::fftBandPass(expected.data(), n, keepBegin, keepEnd);
            std::vector<Complex> got(n, Complex(7.0, 7.0));
            suite::fftInverseBand(spectrum, keepBegin, keepEnd, got.data());
            EXPECT_EQ(std::memcmp(got.data(), expected.data(), n * sizeof(Complex)), 0)
                << "n = 2^" << logN << " keep [" << keepBegin << ", " << keepEnd << ")";
        }
    }
}
