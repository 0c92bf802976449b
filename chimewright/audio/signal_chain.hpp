// Resampling and the level stage between reading a WAV file and writing a temporary one.
// Band limiting is suite::bandLimit (shared/band_filter.hpp).
#pragma once

#include <cstddef>

namespace cw {

// Four-point natural cubic spline from workingRate to targetRate over inputCount samples
// (the working samples, not the FFT size). Output i sits at t = i R / T (computed exactly in
// 64-bit integers): neighbours t-1 .. t+2, zero outside the input. Stops when t's integer part
// reaches inputCount (delivering i - 1 samples) or when i + 1 reaches inputCount (delivering
// i): the delivered count is one less than the positions computed, and at most inputCount
// values are written. Every delivered sample is doubled (band limiting left half the
// amplitude in the real part). input and output must not overlap.
std::size_t resampleSpline(unsigned workingRate, unsigned targetRate, std::size_t inputCount,
                           const double* input, double* output);

// level < 0: soft-knee gain (suite::softLimit) from input to output; input is untouched.
// level >= 0: normalise to level x 32767 with the percentile compressor; input is overwritten
// by its copy divided by the peak. A silent input gives silence. When the 97th-percentile bin
// is 0 (97 % of the sound below 1/2000 of its peak) or never reached, the sound is scaled by
// level x 32767 without compression, as when the percentile lies above 0.8 of the peak.
void applyLevel(std::size_t count, double* output, double level, double* input);

} // namespace cw
