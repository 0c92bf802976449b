// The "adat" MFi form of versions "0400" and "0500": the voice in one "adat" chunk before a
// single track that sets it up, starts it and waits for its length in 5-ms ticks.
#pragma once

#include "chimewright/mfi/forms/mfi_writer_inputs.hpp"
#include "shared/mfi_format.hpp"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace cw {

struct AdatLayout {
    std::string_view version; // "0400" or "0500"
    std::span<const unsigned char> audioInfo = suite::mfi::defaultAudioInfo; // "ainf" data
    unsigned char codec;            // suite::mfi::adatCodecStep, ...G726, ...Ima
    bool loopBeforeStart = false;   // the G.726 writers put DD 00 before D0 00
};

struct AdatVoice {
    unsigned char rateKHz;
    unsigned char bitsPerCode;
    unsigned char channelLayout; // suite::mfi::adatMono, adatStereoInterleaved, adatStereoSplit
    std::span<const unsigned char> data;
    std::uint32_t ticks;         // length of the sound in 5-ms ticks
};

std::vector<unsigned char> writeAdatFile(const AdatLayout& layout, const MfiWriterInputs& inputs,
                                         const AdatVoice& voice);

} // namespace cw
