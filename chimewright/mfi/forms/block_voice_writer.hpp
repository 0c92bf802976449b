// The block MFi form of the step-ADPCM drivers: the voice in V 86 blocks of at most 48000
// bytes, played by one record per channel, 50-ms ticks, rests of up to 255 ticks.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"

#include <span>
#include <string_view>
#include <vector>

namespace cw {

struct BlockVoiceLayout {
    unsigned char vendor;
    std::string_view version;
    unsigned char panRecord; // V 82 (suite::mfi::recordPan) or, in the "0301" files, V 80
};

// One channel, panned to the centre; the play record comes one tick after the blocks.
std::vector<unsigned char> writeBlockVoiceFile(const BlockVoiceLayout& layout,
                                               const MfiWriterInputs& inputs,
                                               std::span<const unsigned char> voice, int rate);

// Two channels of equal length, left and right, both played from the same tick.
std::vector<unsigned char> writeStereoBlockVoiceFile(const BlockVoiceLayout& layout,
                                                     const MfiWriterInputs& inputs,
                                                     std::span<const unsigned char> left,
                                                     std::span<const unsigned char> right,
                                                     int rate);

} // namespace cw
