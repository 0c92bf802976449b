// The 4-bit step ADPCM: one code per sample, a multiplicative step size, and the optional
// conditioning (0.95 gain plus a 64-sample sine dither) that the high-nibble-first writers
// apply before encoding. Shared by chimewright's encoders, tarnwick's encoder and voxreel's
// decoders; the byte packing lives in step_adpcm_channel.hpp and step_adpcm_unpack.hpp.
//
// Code word: bit 3 is the sign (set = the difference is subtracted); bits 2, 1, 0 add step,
// step/2 and step/4 to a constant step/8.
#pragma once

#include <cstdint>

namespace suite {

// Predictor and step of one channel stream. Start every stream from stepAdpcmReset.
struct stepAdpcmState {
    std::int16_t predictor = 0; // -32768 ... 32767
    std::int16_t step = 127;    // 127 ... 24576
};

constexpr std::int16_t stepAdpcmMinStep = 127;
constexpr std::int16_t stepAdpcmMaxStep = 24576;

// Predictor 0, step 127.
void stepAdpcmReset(stepAdpcmState& state);

// Applies one 4-bit code (higher bits are ignored) and returns the new predictor, which is
// the decoded sample.
std::int16_t stepAdpcmDecode(stepAdpcmState& state, unsigned code);

// Chooses the code for one input value and updates the state exactly as stepAdpcmDecode
// does for that code, so an encoder and a decoder fed its codes stay in step.
unsigned stepAdpcmEncode(stepAdpcmState& state, std::int16_t input);

// The conditioned variant's input for sample `index` (counted from 0 at the stream's first
// sample): 0.95 × sample + trunc(128 × sin(2π × (index mod 64) / 64)), rounded half away
// from zero. Never leaves the 16-bit range.
std::int16_t conditionSample(std::int16_t sample, std::uint32_t index);

} // namespace suite
