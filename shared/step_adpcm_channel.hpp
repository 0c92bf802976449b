// Encodes one channel of a temporary-WAV image (samples from byte 44) into a step-ADPCM byte
// stream, the way the MFi encoder drivers and their writers expect it.
//
// - highNibbleFirst: conditioned samples (conditionSample, index counted per sample read),
//   first sample of a pair in bits 7-4, and the zero-run guard: a 0x00 byte at output index
//   3 or later whose two stored predecessors are both 0x00 is stored as 0x80. The encoder
//   then continues from the state a decoder reaches with the stored byte, so the decoded
//   signal carries no offset from the substitution.
// - lowNibbleFirst: raw samples, first sample of a pair in bits 3-0, no guard.
//
// Each output byte consumes two consecutive samples (4 bytes of the image), or, with
// everyOtherSample, samples 0 and 2 of a group of four (8 bytes): a 4 kHz target fed an
// 8000-Hz file. Encoding stops when the byte budget is reached or the read position reaches
// the end of the image; a missing second sample of the last pair is taken as zero. Images
// of 44 bytes or fewer give an empty stream.
#pragma once

#include "shared/step_adpcm_packing.hpp"

#include <cstddef>
#include <span>

namespace suite {

struct StepAdpcmChannelOptions {
    StepAdpcmPacking packing = StepAdpcmPacking::highNibbleFirst;
    bool everyOtherSample = false;
    std::size_t byteBudget = 0; // maximum number of ADPCM bytes
};

// Writes at most min(byteBudget, out.size()) bytes into `out` from a fresh codec state and
// returns how many were written.
std::size_t encodeStepAdpcmChannel(std::span<const unsigned char> wavImage,
                                   const StepAdpcmChannelOptions& options,
                                   std::span<unsigned char> out);

} // namespace suite
