// The vendor 0x31 "0300" MFi form of the low-nibble driver: one record per channel with the
// rate as a 16-bit number, and a tempo chosen by the sound's length so that one wait of at
// most 255 ticks covers it; a second track of rests when extra silence is asked for.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"
#include "chimewright/mfi/voice/voice_streams.hpp"
#include "shared/mfi_format.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cw {

struct Vendor31Tempo {
    std::uint32_t ticks; // e, 1 to 255
    suite::mfi::Tempo tempo;
};

// From the sound's length and the extra silence in units of 0.05 ms; bytes of one channel.
Vendor31Tempo vendor31Tempo(std::size_t bytesPerChannel, int rate, std::uint32_t extraMs);

// Empty when a stream does not fit one record.
std::vector<unsigned char> writeVendor31File(const MfiWriterInputs& inputs,
                                             const VoiceStreams& voice, int rate);

} // namespace cw
