// The IMA "adat" file ("0400"): the voice in one "adat" chunk, the right stream after the
// left in stereo.
#pragma once

#include "chimewright/mfi/voice/ima_voice.hpp"
#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <vector>

namespace cw {

std::vector<unsigned char> writeImaAdatFile(const MfiWriterInputs& inputs, const ImaVoice& voice);

} // namespace cw
