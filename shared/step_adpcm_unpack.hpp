// Decodes a packed step-ADPCM byte stream (two codes per byte) from a fresh state, as the
// player does for one voice block. The packing must be the one the stream was written with:
// the other one swaps the two samples of every byte.
#pragma once

#include "shared/step_adpcm_packing.hpp"

#include <cstddef>
#include <cstdint>
#include <span>

namespace suite {

// Writes 2 × min(bytes.size(), out.size() / 2) samples into `out` and returns that count.
std::size_t decodeStepAdpcmStream(std::span<const unsigned char> bytes, StepAdpcmPacking packing,
                                  std::span<std::int16_t> out);

} // namespace suite
