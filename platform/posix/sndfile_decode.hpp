// libsndfile over a sound file image held in memory (POSIX builds only).
#pragma once

#include "platform/audio_decode.hpp"

#include <string>
#include <vector>

namespace platform {

// Decodes every frame of the image to 16-bit PCM at the source's rate. Mono stays mono; two
// or more channels become the first two. 0, decodeNoCodec when libsndfile cannot decode the
// format, decodeFailed when the encoded data breaks off with an error.
int decodeWithSndfile(const std::string& image, PcmAudio& out);

// Whether libsndfile opens the file for reading (it reads only what it needs to tell).
bool sndfileOpens(const char* path);

// "libsndfile-1.2.0"
std::string sndfileVersion();

// The names of the file formats libsndfile finds on its own when it opens a file, in its
// order ("FLAC (Free Lossless Audio Codec)", "MPEG-1/2 Audio", ...).
std::vector<std::string> sndfileReadableFormats();

} // namespace platform
