// The inline MFi form: the whole voice in one V 83 record of the first track, followed by
// rests that carry the sound's time; with extra silence a second track of the same rests.
// Used by the step-ADPCM drivers (vendors 0x21, 0x41, 0x71) and the G.726 vendor 0x61 form.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"
#include "shared/mfi_format.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace cw {

struct InlineVoiceLayout {
    unsigned char vendor;
    std::string_view version;
    suite::mfi::Tempo tempo;
    bool masterVolumeAfterTempo = false; // the G.726 form adds 00 FF B0 vv127 there
};

// The largest header (everything before the voice bytes) the inline form allows, plus one.
constexpr std::size_t inlineHeaderLimit = 256;

// The whole file: header, voice bytes, trailer. `ticks` is the sound's length in ticks
// including the extra silence. Empty when the header would take inlineHeaderLimit bytes or
// more, or the voice does not fit one record.
std::vector<unsigned char> writeInlineVoiceFile(const InlineVoiceLayout& layout,
                                                const MfiWriterInputs& inputs,
                                                std::span<const unsigned char> voice, int rate,
                                                std::uint32_t ticks);

// Ticks of 10 ms for the step-ADPCM inline form: trunc(sound + extra silence + 1 tick),
// 6000 when that is above 6000.
std::uint32_t stepInlineTicks(std::size_t voiceBytes, int rate, std::uint32_t extraMs);

} // namespace cw
