// The decoder of a voice block, chosen by its vendor and variant codes as the handset family
// would decode it, and the decoding itself (each block from a fresh decoder state, then the
// post-filter).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace voxreel {

enum class VoiceCodec {
    stepLowNibbleFirst,  // step ADPCM, bits 3-0 first
    stepHighNibbleFirst, // step ADPCM, bits 7-4 first
    g726,                // ITU-T G.726, 4-bit or 2-bit codes
    ima,                 // IMA ADPCM, 256-byte blocks of 505 samples
};

VoiceCodec chooseVoiceCodec(int vendorCode, int variantCode);

// Bins the post-filter removes from the bottom of the spectrum for this decoder.
int postFilterLowBins(VoiceCodec codec);

struct DecodedVoice {
    std::vector<std::int16_t> samples;
    double sampleRate = 0; // 2-bit G.726 below 8000 Hz plays at 8000 Hz
};

// codeWidth: 4 for 4-bit G.726 codes, anything else for 2-bit ones (other codecs ignore it).
DecodedVoice decodeVoice(VoiceCodec codec, std::span<const unsigned char> data, double sampleRate,
                         int codeWidth);

} // namespace voxreel
