// libsndfile over a WAVE file image held in memory (POSIX builds only).
#pragma once

#include "platform/audio_decode.hpp"

#include <string>

namespace platform {

// Decodes every frame of the image to 16-bit PCM at the source's rate. Mono stays mono; two
// or more channels become the first two. 0, decodeNoCodec when libsndfile cannot decode the
// format, decodeFailed when the encoded data breaks off with an error.
int decodeWithSndfile(const std::string& image, PcmAudio& out);

} // namespace platform
