#include "voxreel/render/post_filter.hpp"

#include "shared/fft.hpp"
#include "shared/soft_limit.hpp"

#include <vector>

namespace voxreel {

void postFilter(std::span<std::int16_t> samples, int lowBins) {
    const std::size_t n = samples.size();
    if (n == 0) return;
    std::size_t size = 1;
    while (size < n) size <<= 1;

    std::vector<suite::Complex> work(size);
    for (std::size_t j = 0; j < n; ++j) work[j] = suite::Complex(samples[j], 0.0);
    // Keep bins lowBins .. size/2 - 1; with size/2 <= lowBins nothing is left (silence).
    suite::fftBandPass(work.data(), size, static_cast<std::size_t>(lowBins), size / 2);

    const double scale = 2.0 / static_cast<double>(size);
    for (std::size_t j = 0; j < n; ++j)
        samples[j] = static_cast<std::int16_t>(suite::softLimit(work[j].real() * scale));
}

} // namespace voxreel
