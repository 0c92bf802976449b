// One registered piece of voice data of a render job, kept by data number.
#pragma once

#include <cstdint>
#include <vector>

namespace voxreel {

struct VoiceBlock {
    int sourceIndex = 0;       // index of the event in its track (0 for an "adat" chunk)
    int packetMode = 0;
    int length = 0;            // data bytes
    bool continues = false;    // a later event may append to this block
    double sampleRate = 0;     // Hz
    std::vector<unsigned char> data;
    int vendorCode = 0;        // 400 for an "adat" chunk
    int variantCode = 0;       // the format code for an "adat" chunk
    std::int64_t startTick = 0;
    bool stereo = false;       // two channels in one block
    int stereoLayout = 0;      // 0: two halves; else nibble-interleaved
    int codeWidth = 0;         // bits per code stated by the data itself; 0: the play event says
};

} // namespace voxreel
