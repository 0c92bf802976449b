#include "chimewright/audio/signal_chain.hpp"

#include "shared/soft_limit.hpp"

#include <cstdint>

namespace cw {

namespace {

// Natural cubic spline through (-1, a), (0, b), (1, c), (2, e) with zero second derivatives
// at -1 and 2, evaluated at f in [0, 1]. The second derivatives M0 (at 0) and M1 (at 1) solve
// 4 M0 + M1 = 6 (a - 2b + c) and M0 + 4 M1 = 6 (b - 2c + e).
double spline(double a, double b, double c, double e, double f) {
    const double r0 = 6.0 * (a - 2.0 * b + c);
    const double r1 = 6.0 * (b - 2.0 * c + e);
    const double m0 = (4.0 * r0 - r1) / 15.0;
    const double m1 = (4.0 * r1 - r0) / 15.0;
    const double g = 1.0 - f;
    return g * b + f * c + ((g * g * g - g) * m0 + (f * f * f - f) * m1) / 6.0;
}

} // namespace

std::size_t resampleSpline(unsigned workingRate, unsigned targetRate, std::size_t inputCount,
                           const double* input, double* output) {
    if (inputCount == 0 || workingRate == 0 || targetRate == 0) return 0;
    const std::uint64_t n = inputCount;
    const std::uint64_t rate = workingRate;
    const std::uint64_t target = targetRate;
    for (std::uint64_t i = 0;; ++i) {
        // t = i R / T as j + rest / T, exactly: i R stays far below 2^64.
        const std::uint64_t position = i * rate;
        const std::uint64_t j = position / target;
        if (j >= n) return static_cast<std::size_t>(i - 1); // i >= 1: j = 0 < n at i = 0
        const double f = static_cast<double>(position % target) / static_cast<double>(target);
        const double a = j >= 1 ? input[j - 1] : 0.0;
        const double b = input[j];
        const double c = j + 1 < n ? input[j + 1] : 0.0;
        const double e = j + 2 < n ? input[j + 2] : 0.0;
        // Doubled as it is stored: band limiting left half the amplitude. The value computed
        // last before a stop at j >= n is stored but not delivered.
        output[i] = 2.0 * spline(a, b, c, e, f);
        if (i + 1 >= n) return static_cast<std::size_t>(i);
    }
}

void applyLevel(std::size_t count, double* output, double level, double* input) {
    if (level < 0) {
        for (std::size_t i = 0; i < count; ++i)
            output[i] = suite::softLimit(input[i]);
        return;
    }

    double peak = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double m = input[i] < 0 ? -input[i] : input[i];
        if (m > peak) peak = m;
    }
    if (!(peak > 0.0)) { // silence (or nothing): stays silence
        for (std::size_t i = 0; i < count; ++i)
            output[i] = 0.0;
        return;
    }

    constexpr int bins = 2000;
    std::size_t histogram[bins] = {};
    for (std::size_t i = 0; i < count; ++i) {
        input[i] /= peak;
        output[i] = input[i];
        const double scaled = (input[i] < 0 ? -input[i] : input[i]) * bins;
        const int bin = scaled < bins ? static_cast<int>(scaled) : bins - 1;
        ++histogram[bin];
    }

    // l: the first bin at which the running count exceeds 97 % of the samples.
    const double threshold = 0.97 * static_cast<double>(count);
    int l = bins;
    std::size_t running = 0;
    for (int b = 0; b < bins; ++b) {
        running += histogram[b];
        if (static_cast<double>(running) > threshold) {
            l = b;
            break;
        }
    }

    const double gain = level * 32767.0;
    const double c = static_cast<double>(l) / bins;
    // l = 0 (97 % of the sound below 1/2000 of its peak) or l = 2000 (never exceeded): the
    // knee would divide by c or 1 - c; such a sound is only scaled by the gain, like one whose
    // 97th percentile lies above 0.8 of its peak.
    const bool compress = l != 0 && l != bins && c <= 0.8;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = output[i];
        double h = v < 0 ? -v : v;
        if (compress) {
            if (h <= c)
                h = h * 0.9 / c;
            else
                h = (h - c) * 0.1 / (1.0 - c) + 0.9;
        }
        double out = gain * h;
        if (out > 32767.0) out = 32767.0;
        output[i] = v < 0 ? -out : out;
    }
}

} // namespace cw
