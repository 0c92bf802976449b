#include "shared/band_filter.hpp"

namespace suite {

void bandLimit(Complex* work, std::size_t n, double workingRate, BandEdges edges) {
    if (n == 0) return;
    const double size = static_cast<double>(n);
    // k0 = trunc(N H/R + 0.5): bins below it go. d = trunc(N L/R - 0.5): bins from it go.
    // Both values are positive for positive edges and rates; the casts truncate toward zero.
    const double first = size * edges.highPass / workingRate + 0.5;
    const double last = size * edges.lowPass / workingRate - 0.5;
    const std::size_t keepBegin = first < size ? static_cast<std::size_t>(first) : n;
    const std::size_t keepEnd = last <= 0.0 ? 0 : last < size ? static_cast<std::size_t>(last) : n;
    fftBandPass(work, n, keepBegin, keepEnd);
    // Real parts divided by N, compacted into the first n doubles: double j is read from
    // double 2j before anything at or after index j is written, so this runs in place.
    double* samples = reinterpret_cast<double*>(work);
    for (std::size_t j = 0; j < n; ++j)
        samples[j] = samples[2 * j] / size;
}

} // namespace suite
