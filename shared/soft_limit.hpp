// The soft-knee gain stage: 1.1 x below the knee, a gain just under 0.1 above it, capped.
#pragma once

namespace suite {

double softLimit(double sample);

} // namespace suite
