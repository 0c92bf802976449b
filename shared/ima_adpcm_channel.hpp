// The IMA families' voice data: one channel of a temporary-WAV image (samples from byte 44)
// converted whole into IMA ADPCM blocks (see ima_adpcm.hpp), standing in for the platform's
// audio codec service with the same format and block sizes.
#pragma once

#include <cstddef>
#include <span>

namespace suite {

// Number of bytes the conversion of this image yields.
std::size_t imaAdpcmChannelSize(std::span<const unsigned char> wavImage);

// Converts the image into `out`. Returns the number of bytes written; 0 when the image holds
// no samples or the result would not fit in `out` (the conversion is then skipped, as an
// empty voice).
std::size_t encodeImaAdpcmChannel(std::span<const unsigned char> wavImage,
                                  std::span<unsigned char> out);

} // namespace suite
