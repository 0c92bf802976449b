// The G.726 "adat" files: version "0400" with the 11-byte "ainf", or "0500" with the plain
// one; the voice in one "adat" chunk, the right stream after the left in stereo.
#pragma once

#include "chimewright/mfi/voice/g726_voice.hpp"
#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <string_view>
#include <vector>

namespace cw {

std::vector<unsigned char> writeG726AdatFile(std::string_view version, const MfiWriterInputs& inputs,
                                             const G726Voice& voice);

} // namespace cw
