// Compares a rendered stereo WAV file with the mono sound it was made from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vx_test {

struct StereoWav {
    std::uint32_t rate = 0;
    std::vector<double> left, right;
};

// The frames of a 16-bit stereo WAV image with a 44-byte header.
StereoWav readStereoWav(const std::string& bytes);

// The highest normalised correlation of `signal` with `reference` over lags centre - maxLag ..
// centre + maxLag (signal[k + lag] against reference[k]), over the samples both hold.
double bestCorrelation(const std::vector<double>& signal, const std::vector<double>& reference,
                       int maxLag = 4, std::ptrdiff_t centre = 0);

// Where a rendered voice begins: the index of the first non-zero sample.
std::ptrdiff_t firstSound(const std::vector<double>& signal);

// Every other sample, from the first.
std::vector<double> everyOther(const std::vector<double>& samples);

std::vector<double> toDoubles(const std::vector<std::int16_t>& samples);

} // namespace vx_test
