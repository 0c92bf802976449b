#include "shared/soft_limit.hpp"

namespace suite {

double softLimit(double sample) {
    const double knee = 29490.3;
    const double magnitude = sample < 0 ? -sample : sample;
    if (magnitude < knee) return 1.1 * sample;
    double out = (magnitude - knee) * 0.09999999999999945 + 32439.33;
    if (out > 32767.0) out = 32767.0;
    return sample < 0 ? -out : out;
}

} // namespace suite
