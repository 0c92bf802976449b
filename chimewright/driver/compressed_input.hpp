// WAVE files with a compressed format, decoded to PCM before the conversion.
#pragma once

#include "platform/files.hpp"

namespace cw {

// Decodes the input into "_cwwtmp.wav" in the working folder. 0, or a result code.
int decodeToPcm(const platform::Path& input, const platform::Path& workFolder);

} // namespace cw
