#include "chimewright/audio/signal_chain.hpp"

#include "shared/parallel.hpp"
#include "shared/soft_limit.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

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
    // Positions i = 0 .. stored - 1 are computed: the walk stops at the first i whose integer
    // part j = floor(i R / T) reaches n, or after i = n - 1. The value computed last is
    // stored but not delivered. i R stays far below 2^64.
    const std::uint64_t firstOutside = (n * target + rate - 1) / rate; // ceil(n T / R) >= 1
    const std::uint64_t stored = std::min(firstOutside, n);
    const auto interpolate = [&](std::size_t, std::size_t begin, std::size_t end) {
        for (std::uint64_t i = begin; i < end; ++i) {
            // t = i R / T as j + rest / T, exactly.
            const std::uint64_t position = i * rate;
            const std::uint64_t j = position / target;
            const double f = static_cast<double>(position % target) / static_cast<double>(target);
            const double a = j >= 1 ? input[j - 1] : 0.0;
            const double b = input[j];
            const double c = j + 1 < n ? input[j + 1] : 0.0;
            const double e = j + 2 < n ? input[j + 2] : 0.0;
            // Doubled as it is stored: band limiting left half the amplitude.
            output[i] = 2.0 * spline(a, b, c, e, f);
        }
    };
    suite::parallelFor(static_cast<std::size_t>(stored), std::size_t{1} << 16, interpolate);
    return static_cast<std::size_t>(stored - 1);
}

namespace {

constexpr std::size_t kMinSamplesPerPart = std::size_t{1} << 16;

double magnitude(double v) {
    return v < 0 ? -v : v;
}

} // namespace

void applyLevel(std::size_t count, double* output, double level, double* input) {
    if (level < 0) {
        const auto limit = [&](std::size_t, std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i)
                output[i] = suite::softLimit(input[i]);
        };
        suite::parallelFor(count, kMinSamplesPerPart, limit);
        return;
    }

    // The largest magnitude: the same value in whatever order the pieces are taken.
    std::vector<double> partPeaks(suite::parallelParts(count, kMinSamplesPerPart), 0.0);
    const auto findPeak = [&](std::size_t part, std::size_t begin, std::size_t end) {
        double& peak = partPeaks[part];
        for (std::size_t i = begin; i < end; ++i) {
            const double m = magnitude(input[i]);
            if (m > peak) peak = m;
        }
    };
    suite::parallelFor(count, kMinSamplesPerPart, findPeak);
    double peak = 0.0;
    for (double m : partPeaks)
        if (m > peak) peak = m;
    if (!(peak > 0.0)) { // silence (or nothing): stays silence
        for (std::size_t i = 0; i < count; ++i)
            output[i] = 0.0;
        return;
    }

    constexpr int bins = 2000;
    // Counts per worker, added up afterwards: whole numbers, so the order does not matter.
    std::vector<std::array<std::size_t, bins>> partCounts(partPeaks.size());
    for (auto& histogram : partCounts)
        histogram.fill(0);
    const auto normaliseAndCount = [&](std::size_t part, std::size_t begin, std::size_t end) {
        std::array<std::size_t, bins>& histogram = partCounts[part];
        for (std::size_t i = begin; i < end; ++i) {
            input[i] /= peak;
            output[i] = input[i];
            const double scaled = magnitude(input[i]) * bins;
            const int bin = scaled < bins ? static_cast<int>(scaled) : bins - 1;
            ++histogram[static_cast<std::size_t>(bin)];
        }
    };
    suite::parallelFor(count, kMinSamplesPerPart, normaliseAndCount);

    // l: the first bin at which the running count exceeds 97 % of the samples.
    const double threshold = 0.97 * static_cast<double>(count);
    int l = bins;
    std::size_t running = 0;
    for (int b = 0; b < bins; ++b) {
        for (const auto& histogram : partCounts)
            running += histogram[static_cast<std::size_t>(b)];
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
    const auto shape = [&](std::size_t, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const double v = output[i];
            double h = magnitude(v);
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
    };
    suite::parallelFor(count, kMinSamplesPerPart, shape);
}

} // namespace cw
