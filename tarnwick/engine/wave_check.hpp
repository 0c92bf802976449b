// The WAV files tarnwick accepts: 16-bit mono PCM at 8000 or 4000 Hz, longer than 0.02 s.
#pragma once

#include <cstddef>
#include <span>

namespace tarnwick {

constexpr int rateCode8k = 0x11;
constexpr int rateCode4k = 0x10;

// checkWave's failures.
constexpr int waveInvalidHeader = -1;
constexpr int waveUnsupportedFormat = -2;
constexpr int waveTooShort = -3;

struct WaveInfo {
    std::size_t dataOffset = 0; // where the samples start in the file image
    std::size_t dataSize = 0;   // bytes
    int rateCode = 0;           // rateCode8k or rateCode4k
};

// Walks the chunks of a whole file image. Returns the rate code and fills `info`, or
// waveInvalidHeader, waveUnsupportedFormat or waveTooShort. The data chunk it reports lies
// wholly inside the image.
int checkWave(std::span<const unsigned char> image, WaveInfo& info);

} // namespace tarnwick
