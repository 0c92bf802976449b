// Resampling and the level stage between reading a WAV file and writing a temporary one.
#pragma once

#include <cstddef>

namespace cw {

// Four-point natural cubic spline from workingRate to targetRate over inputCount samples.
// Writes at most inputCount samples to output and returns how many it delivered; every
// delivered sample is doubled (band limiting left half the amplitude in the real part).
std::size_t resampleSpline(unsigned workingRate, unsigned targetRate, std::size_t inputCount,
                           const double* input, double* output);

// level < 0: soft-knee gain. level >= 0: normalise to level x 32767 with the percentile
// compressor; input is overwritten by its copy divided by the peak.
void applyLevel(std::size_t count, double* output, double level, double* input);

} // namespace cw
