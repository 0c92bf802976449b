// Builds a SMAF file that plays one stream of 4-bit ADPCM at 16000 Hz, with the title and
// copyright text in an optional-data chunk, within a size limit.
#pragma once

#include <cstddef>
#include <span>

namespace cw::smaf {

// `wave` is an "Awa" chunk ("Awa", wave number, 32-bit size, ADPCM bytes). Texts are
// zero-terminated code-page-932 strings of at most 252 bytes, or null when absent. The wave is
// cut to `limit` bytes; when the file still comes out larger, a second pass cuts it by the
// overshoot. Returns the length written to `out`, or 0 when the wave is not an "Awa" chunk,
// `out` is too small, or the result still exceeds the limit.
std::size_t buildStreamSmaf(std::span<const unsigned char> wave, std::span<unsigned char> out,
                            const char* title, const char* copyright, int limit);

} // namespace cw::smaf
