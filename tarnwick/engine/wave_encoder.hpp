// tarnwick's 4-bit ADPCM encoder: the step ADPCM's reconstruction with a quantiser of its
// own, packed low nibble first.
#pragma once

#include "tarnwick/engine/wave_check.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tarnwick {

// How the sound is written, chosen by the rate switch of the title dialog.
enum RateMode : int {
    rateMode8k = 0,       // 8000-Hz source written at 8000 Hz
    rateModeHalved = 1,   // 8000-Hz source written at 4000 Hz (every other sample)
    rateMode4kSource = 2, // 4000-Hz source, always written at 4000 Hz
};

// Encodes from a fresh state (predictor 0, step 127). The magnitude of a code is how many
// quarter steps fit into the difference, at most 7. False, writing nothing, when `capacity`
// is below ceil(count / 2); else writes exactly that many bytes, the last high nibble 0
// for an odd count.
bool quarterStepEncode(const std::int16_t* samples, std::size_t count, unsigned char* out,
                       std::size_t capacity);

// The ADPCM bytes of the data chunk that `info` describes: every sample, or in
// rateModeHalved the first sample of each four-byte group.
std::vector<unsigned char> encodeWave(std::span<const unsigned char> image, const WaveInfo& info,
                                      int rateMode);

} // namespace tarnwick
