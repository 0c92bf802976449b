// Cleans a decoded voice block: a brick-wall high-pass over the whole block in the frequency
// domain (the DC bin and the lowest bins go, and with the upper half of the spectrum the
// Nyquist bin), then 10 % gain with the soft limiter of the signal chain.
#pragma once

#include <cstdint>
#include <span>

namespace voxreel {

// lowBins: the bins 0 .. lowBins - 1 removed. The corner frequency therefore depends on the
// block's length (bin width = rate / N, N the power of two at or above the sample count).
void postFilter(std::span<std::int16_t> samples, int lowBins);

} // namespace voxreel
