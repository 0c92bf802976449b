// The single-track G.726 MFi form of vendor 0x61 ("0300"): the channel table, the voice in
// V 83 blocks of at most 65505 bytes with the four-track rate codes, 5-ms ticks, the sound's
// length as long waits.
#pragma once

#include "chimewright/mfi/voice/g726_voice.hpp"
#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <vector>

namespace cw {

// Mono (pan centre) or stereo (pans left and right, the right channel's blocks with channel
// byte 0x41 after the left ones).
std::vector<unsigned char> writeG726SingleTrackFile(const MfiWriterInputs& inputs,
                                                    const G726Voice& voice);

} // namespace cw
