// Brick-wall band limiting of a whole sound in the frequency domain.
#pragma once

#include "shared/fft.hpp"

namespace suite {

struct BandEdges {
    double highPass; // Hz: bins below it are removed
    double lowPass;  // Hz: bins from it upward (mirror half included) are removed
};

// The bins a band limit keeps: [keepBegin, keepEnd), with keepBegin = k0 = trunc(n H/R + 0.5)
// and keepEnd = d = trunc(n L/R - 0.5), both within [0, n].
struct KeptBins {
    std::size_t keepBegin;
    std::size_t keepEnd;
};
KeptBins keptBins(std::size_t n, double workingRate, BandEdges edges);

// Real parts divided by n, compacted into the first n doubles of the same storage, in order.
void compactRealParts(Complex* work, std::size_t n);

// work: n complex values, n a power of two (real = samples at workingRate, imaginary 0).
// Forward transform (sign +1), X[k] = 0 for k < k0 = trunc(n H/R + 0.5) and for
// k >= d = trunc(n L/R - 0.5), inverse transform (sign -1), divided by n. Afterwards the first
// n doubles of the same storage hold the real parts of the filtered sound, in order; the
// real part carries half the amplitude of the band-passed sound (the mirror half of the
// spectrum is gone), so the resampler doubles its output. Doubles n .. 2n-1 of the storage
// are left over for the resampler's output.
void bandLimit(Complex* work, std::size_t n, double workingRate, BandEdges edges);

} // namespace suite
