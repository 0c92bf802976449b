// The soft-knee gain stage (normalisation off; voxreel's renderer uses it too):
// 1.1 x below |a| = 29490.3, above it (|a| - 29490.3) x 0.09999999999999945 + 32439.33 (a gain
// just under 0.1, continuous at the knee), capped at 32767, with the sign of the sample.
#pragma once

namespace suite {

double softLimit(double sample);

} // namespace suite
