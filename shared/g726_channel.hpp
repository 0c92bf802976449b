// How the suite feeds 16-bit samples to the G.726 coder and packs its code words.
//
// - Input: each 16-bit sample is halved (truncating toward zero); the coder's 14-bit linear
//   input is that value shifted right by two bits.
// - Output: the decoded sample is the reconstructed signal shifted left by two bits,
//   saturated to the 16-bit range (the reconstructed signal can overshoot 14 bits on
//   overload, and a plain shift would wrap around).
// - Packing, least significant bits first: 4-bit codes two per byte (first sample in bits
//   3-0), 2-bit codes four per byte (bits 1-0, 3-2, 5-4, 7-6 in sample order).
#pragma once

#include "shared/g726.hpp"

#include <cstddef>
#include <cstdint>
#include <span>

namespace suite {

// The coder's linear input for one 16-bit sample.
int g726LinearInput(std::int16_t sample);

// The 16-bit output sample for one reconstructed signal value.
std::int16_t g726OutputSample(int reconstructed);

// Samples held by one byte of a stream.
constexpr std::size_t g726SamplesPerByte(G726CodeWidth width) {
    return width == G726CodeWidth::twoBits ? 4 : 2;
}

// Encodes one channel of a temporary-WAV image (samples from byte 44) from the reset state.
// Stops when min(byteBudget, out.size()) bytes are written or the read position reaches the
// end of the image; a last byte short of samples is completed with zero samples. Returns
// the number of bytes written (0 for images of 44 bytes or fewer).
std::size_t encodeG726Channel(std::span<const unsigned char> wavImage, G726CodeWidth width,
                              std::size_t byteBudget, std::span<unsigned char> out);

// Encodes 16-bit samples from the reset state; a last byte short of samples is completed
// with zero samples. Returns the number of bytes written (limited by out.size()).
std::size_t encodeG726Samples(std::span<const std::int16_t> samples, G726CodeWidth width,
                              std::span<unsigned char> out);

// Decodes a packed stream from the reset state into 16-bit samples. Returns the number of
// samples written: every code of every byte, as far as `out` holds whole bytes' worth.
std::size_t decodeG726Stream(std::span<const unsigned char> bytes, G726CodeWidth width,
                             std::span<std::int16_t> out);

} // namespace suite
