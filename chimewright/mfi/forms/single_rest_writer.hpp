// The single-rest MFi form ("0200", vendors 0x21 and 0x11): the whole voice in one record and
// the whole sound in one rest of 255 ticks, with the tempo chosen so those ticks last as long
// as the sound.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace cw {

struct SingleRestTempo {
    unsigned char code;  // FF Cx: C8 to CC, time bases 15, 30, 60, 120, 240
    unsigned char tempo; // 33 to 200
};

// The tempo and time base whose 255 ticks (255 × 60 / (tempo × time base) s) come closest to
// the sound's length, bytes × 2 / rate + extra / 1000 s, at most 30 s. Ties go to the higher
// tempo, and within one tempo to the larger time base.
SingleRestTempo chooseSingleRestTempo(std::size_t bytes, int rate, std::uint32_t extraMs);

enum class SingleRestVendor { vendor21, vendor11 };

// Empty when the voice does not fit one record.
std::vector<unsigned char> writeSingleRestFile(SingleRestVendor vendor, const MfiWriterInputs& inputs,
                                               std::span<const unsigned char> voice, int rate);

} // namespace cw
