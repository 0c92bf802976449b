// The SMAF file tarnwick writes: a contents-info chunk with the texts and two check marks,
// and one audio track that plays the ADPCM wave once.
#pragma once

#include "tarnwick/engine/wave_check.hpp"

#include <span>
#include <string>
#include <vector>

namespace tarnwick {

// The title dialog's texts as stored in the file: code-page-932 bytes.
struct ContentsInfo {
    std::string title;     // empty: no "ST:" tag
    std::string copyright; // empty: no "CR:" tag
    bool protect = false;  // the copy status of the contents-info chunk
};

// Gate time of the wave in 4-ms ticks: one tick per 16 ADPCM bytes at 8000 Hz, per 8 at
// 4000 Hz, rounded up, at most 16510.
int waveGateTicks(std::size_t adpcmBytes, int rateMode);

// The whole file image, check code included.
std::vector<unsigned char> writeAudioSmaf(const ContentsInfo& contents,
                                          std::span<const unsigned char> image,
                                          const WaveInfo& info, int rateMode);

} // namespace tarnwick
