// Step-ADPCM voice for the "adat" writer: 4-bit codes, mono or the two channels interleaved
// nibble by nibble, and the sound's length in 5-ms ticks.
#pragma once

#include "chimewright/mfi/forms/adat_writer.hpp"
#include "chimewright/mfi/voice/step_voice.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace cw {

// For each pair of bytes L and R: (L & 0xF0) | (R >> 4), then ((L & 0x0F) << 4) | (R & 0x0F),
// so each byte holds one left sample in its high nibble and the right sample of the same
// instant in its low nibble. Both streams must be of the same length.
std::vector<unsigned char> interleaveStepStereo(std::span<const unsigned char> left,
                                                std::span<const unsigned char> right);

// trunc((bytes × 2 / rate + 0.05) / 0.005 + 0.999), bytes per channel.
std::uint32_t stepAdatTicks(std::size_t bytesPerChannel, int rate);

// The "0400" step-ADPCM file of a mono or stereo voice.
std::vector<unsigned char> writeStepAdatFile(const MfiWriterInputs& inputs, const StepVoice& voice);

} // namespace cw
