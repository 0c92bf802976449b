// The vendor 0x11 "0300" MFi forms of the low-nibble driver (header type bytes 01 01, one
// track), mono or stereo, the rate written as a 16-bit number in every voice record:
// - the short form: one record per channel, the sound's length in 4-ms ticks held in two
//   rests by a tempo chosen by size;
// - the block form: blocks of at most 65504 bytes, each started on its own and waited for
//   in 5-ms ticks.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"
#include "chimewright/mfi/voice/voice_streams.hpp"
#include "shared/mfi_format.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cw {

// The short form's rest length and tempo event for e ticks of 4 ms.
struct Vendor11ShortTempo {
    std::uint32_t ticks;
    suite::mfi::Tempo tempo;
};
Vendor11ShortTempo vendor11ShortTempo(std::uint32_t fourMsTicks);

// e = trunc(bytes × 500 / rate + extra × 0.25 + 1): the sound and the extra silence in 4-ms
// ticks, plus one; bytes of one channel.
std::uint32_t vendor11ShortTicks(std::size_t bytesPerChannel, int rate, std::uint32_t extraMs);

// Empty when a stream does not fit one record.
std::vector<unsigned char> writeVendor11ShortFile(const MfiWriterInputs& inputs,
                                                  const VoiceStreams& voice, int rate);

constexpr std::size_t maxVendor11BlockBytes = 65504;

std::vector<unsigned char> writeVendor11BlockFile(const MfiWriterInputs& inputs,
                                                  const VoiceStreams& voice, int rate);

} // namespace cw
