// Ogg Vorbis encoding of 16-bit sample data for the Android target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace cw {

// Encodes `byteCount` bytes of 16-bit little-endian samples per channel (left, and right when
// `channels` is 2; read at the same offsets) as one Ogg Vorbis stream at VBR quality
// qualityStep × 0.1, tagged with the title, the copyright (both skipped when empty) and the
// looping-ringtone comments. The stream is appended to `output`, which grows as needed.
// Returns the number of bytes appended, or 0 when the encoder cannot be set up or memory runs
// out (the output is then left as it was).
std::size_t encodeOgg(std::vector<std::uint8_t>& output, const std::uint8_t* left,
                      const std::uint8_t* right, std::size_t byteCount, int qualityStep, int rate,
                      int channels, std::string_view title, std::string_view copyright);

} // namespace cw
