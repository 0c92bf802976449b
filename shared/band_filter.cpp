#include "shared/band_filter.hpp"

#include "shared/parallel.hpp"

#include <algorithm>

namespace suite {

KeptBins keptBins(std::size_t n, double workingRate, BandEdges edges) {
    const double size = static_cast<double>(n);
    // k0 = trunc(N H/R + 0.5): bins below it go. d = trunc(N L/R - 0.5): bins from it go.
    // Both values are positive for positive edges and rates; the casts truncate toward zero.
    const double first = size * edges.highPass / workingRate + 0.5;
    const double last = size * edges.lowPass / workingRate - 0.5;
    const std::size_t keepBegin = first < size ? static_cast<std::size_t>(first) : n;
    const std::size_t keepEnd = last <= 0.0 ? 0 : last < size ? static_cast<std::size_t>(last) : n;
    return {keepBegin, keepEnd};
}

void compactRealParts(Complex* work, std::size_t n) {
    if (n == 0) return;
    const double size = static_cast<double>(n);
    // Double j is read from double 2j before anything at or after index j is written, so this
    // runs in place. The indices [lo, 2 lo) read [2 lo, 4 lo), which no earlier step has
    // written: each such stretch may be split over the cores.
    double* samples = reinterpret_cast<double*>(work);
    samples[0] = samples[0] / size;
    for (std::size_t lo = 1; lo < n; lo *= 2) {
        const std::size_t hi = std::min(2 * lo, n);
        parallelFor(hi - lo, std::size_t{1} << 18,
                    [&](std::size_t, std::size_t begin, std::size_t end) {
                        for (std::size_t j = lo + begin; j < lo + end; ++j)
                            samples[j] = samples[2 * j] / size;
                    });
    }
}

void bandLimit(Complex* work, std::size_t n, double workingRate, BandEdges edges) {
    if (n == 0) return;
    const KeptBins kept = keptBins(n, workingRate, edges);
    fftBandPass(work, n, kept.keepBegin, kept.keepEnd);
    compactRealParts(work, n);
}

} // namespace suite
