// The four-track G.726 MFi form (vendors 0x41, 0x71 and 0x31): a voice track with the
// channel table and the voice in V 84 blocks of at most 65505 bytes, 5-ms ticks, the sound's
// length as long waits, and three companion tracks.
#pragma once

#include "chimewright/mfi/voice/g726_voice.hpp"
#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <string_view>
#include <vector>

namespace cw {

struct G726FourTrackLayout {
    unsigned char vendor;
    std::string_view version; // "0300", or "0301" for vendor 0x31
};

// Mono, or stereo with the second channel's volume, the two pans and the right channel's
// blocks (channel byte 0x41) after the left ones.
std::vector<unsigned char> writeG726FourTrackFile(const G726FourTrackLayout& layout,
                                                  const MfiWriterInputs& inputs,
                                                  const G726Voice& voice);

} // namespace cw
