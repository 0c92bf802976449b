// The G.726 voice of one target: the chosen temporary file(s) encoded within the byte budget,
// 2-bit code words for the "4kHz" and "32kHz(2bit)" options, 4-bit otherwise.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"
#include "chimewright/mfi/voice/voice_streams.hpp"

#include <cstddef>

namespace cw {

struct G726Voice {
    VoiceStreams streams;
    // The rate written into the file. 2-bit code words at 8000 Hz are written as 4000: a byte
    // then holds four samples, 0.5 ms, exactly as a 4-bit byte at 4000 Hz.
    int rate = 8000;
    bool twoBit = false; // the code width; the writers need it to tell the 32000-Hz forms apart
};

// The temporary files the G.726 driver reads for each option.
struct G726VoiceFiles {
    platform::Path mono8k;
    platform::Path lowRate8k; // the 8000-Hz file the "4kHz" option codes with 2-bit words
    platform::Path mono16k;
    platform::Path mono32k;
    platform::Path left8k, right8k;
    platform::Path left16k, right16k;
};

// False when a file cannot be opened.
bool encodeG726Voice(const G726VoiceFiles& files, VoiceOption option, std::size_t budget,
                     G726Voice& voice);

} // namespace cw
