// WAVE files with a compressed format, decoded to PCM before the conversion.
#pragma once

#include "platform/files.hpp"

namespace cw {

// Copies the input to "_cwctmp.wav" and decodes that copy into the PCM file "_cwwtmp.wav" in
// the working folder, with the system's codecs. 0, 2001 when the copy cannot be made, or a
// code 2002-2016 of the decoder.
int decodeToPcm(const platform::Path& input, const platform::Path& workFolder);

} // namespace cw
