#include "tests/voxreel/correlation.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>
#include <cmath>

namespace vx_test {

StereoWav readStereoWav(const std::string& bytes) {
    StereoWav wav;
    if (bytes.size() < 44) return wav;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    wav.rate = suite::readLe32(p + 24);
    for (std::size_t at = 44; at + 4 <= bytes.size(); at += 4) {
        wav.left.push_back(static_cast<std::int16_t>(suite::readLe16(p + at)));
        wav.right.push_back(static_cast<std::int16_t>(suite::readLe16(p + at + 2)));
    }
    return wav;
}

double bestCorrelation(const std::vector<double>& signal, const std::vector<double>& reference,
                       int maxLag, std::ptrdiff_t centre) {
    double best = -1;
    const auto signalSize = static_cast<std::ptrdiff_t>(signal.size());
    for (std::ptrdiff_t lag = centre - maxLag; lag <= centre + maxLag; ++lag) {
        double sxy = 0, sxx = 0, syy = 0;
        for (std::size_t k = 0; k < reference.size(); ++k) {
            const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(k) + lag;
            if (at < 0 || at >= signalSize) continue;
            const double x = signal[static_cast<std::size_t>(at)], y = reference[k];
            sxy += x * y;
            sxx += x * x;
            syy += y * y;
        }
        if (sxx > 0 && syy > 0) best = std::max(best, sxy / std::sqrt(sxx * syy));
    }
    return best;
}

std::ptrdiff_t firstSound(const std::vector<double>& signal) {
    for (std::size_t i = 0; i < signal.size(); ++i)
        if (signal[i] != 0) return static_cast<std::ptrdiff_t>(i);
    return 0;
}

std::vector<double> everyOther(const std::vector<double>& samples) {
    std::vector<double> out;
    for (std::size_t i = 0; i < samples.size(); i += 2) out.push_back(samples[i]);
    return out;
}

std::vector<double> toDoubles(const std::vector<std::int16_t>& samples) {
    return std::vector<double>(samples.begin(), samples.end());
}

} // namespace vx_test
