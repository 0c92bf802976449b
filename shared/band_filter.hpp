// Brick-wall band limiting of a whole sound in the frequency domain.
#pragma once

#include "shared/fft.hpp"

namespace suite {

struct BandEdges {
    double highPass; // Hz: bins below it are removed
    double lowPass;  // Hz: bins from it upward (mirror half included) are removed
};

// work: n complex values (real = samples at workingRate, imaginary 0). Afterwards the first n
// doubles of the same storage hold the real parts of the filtered sound, in order; the real
// part carries half the amplitude of the band-passed sound.
void bandLimit(Complex* work, std::size_t n, double workingRate, BandEdges edges);

} // namespace suite
