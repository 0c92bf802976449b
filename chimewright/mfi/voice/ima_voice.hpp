// The IMA ADPCM voice of one target: each temporary file converted whole into 256-byte blocks
// of 505 samples, then held to the byte budget in whole blocks so that every block decodes.
#pragma once

#include "chimewright/mfi/mfi_driver.hpp"
#include "chimewright/mfi/voice/voice_streams.hpp"

#include <cstddef>

namespace cw {

struct ImaVoice {
    VoiceStreams streams;
    int rate = 8000;
};

struct ImaVoiceFiles {
    platform::Path mono8k;
    platform::Path mono16k;
    platform::Path left8k, right8k;
    platform::Path left16k, right16k;
};

// One channel: the blocks of the image's samples from byte 44, at most budget / 256 of them.
std::vector<unsigned char> encodeImaChannel(std::span<const unsigned char> wavImage,
                                            std::size_t budget);

// False when a file cannot be opened. The IMA rows offer 8 kHz and 16 kHz; the stereo
// options, when chosen, read the left and right files of that rate.
bool encodeImaVoice(const ImaVoiceFiles& files, VoiceOption option, std::size_t budget,
                    ImaVoice& voice);

} // namespace cw
