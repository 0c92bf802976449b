// IMA ADPCM (the IMA/DVI format, WAVE format tag 0x11), mono: 256-byte blocks of 505 samples,
// each block headed by its first sample (16-bit little-endian) and the step index (then a
// zero byte), followed by 252 bytes holding the other 504 samples as 4-bit codes, the
// earlier sample of each byte in bits 3-0.
//
// Our own encoder is used on every platform so both builds write the same bytes. It starts
// at step index 0, carries the step index from block to block, and completes a last partial
// block with silence (zero samples), so every block is whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace suite {

constexpr std::size_t imaAdpcmBlockBytes = 256;
constexpr std::size_t imaAdpcmSamplesPerBlock = 505;
// Bytes per second of a mono 8000-Hz stream, as the WAVE header states it.
constexpr std::uint32_t imaAdpcmBytesPerSecond8k = 4055;

struct ImaAdpcmState {
    std::int16_t predictor = 0;
    int stepIndex = 0; // 0 ... 88
};

// The step size for a step index.
int imaAdpcmStep(int stepIndex);

// Applies one 4-bit code and returns the decoded sample.
std::int16_t imaAdpcmDecodeSample(ImaAdpcmState& state, unsigned code);

// Chooses the code for one sample and updates the state as the decoder will.
unsigned imaAdpcmEncodeSample(ImaAdpcmState& state, std::int16_t sample);

// Bytes needed for `sampleCount` samples: whole blocks.
std::size_t imaAdpcmEncodedSize(std::size_t sampleCount);

// Encodes one block from at most 505 samples (fewer are completed with silence) into the
// 256 bytes at `block`, carrying the step index in `state` on to the next block.
void encodeImaAdpcmBlock(ImaAdpcmState& state, std::span<const std::int16_t> samples,
                         unsigned char* block);

// Encodes mono samples into whole blocks. Returns the number of bytes written, or 0 when
// they would not fit in `out` (nothing is then written).
std::size_t encodeImaAdpcmBlocks(std::span<const std::int16_t> samples,
                                 std::span<unsigned char> out);

// Decodes whole blocks (a trailing partial block is ignored) into 505 samples each, as far
// as `out` holds whole blocks. Returns the number of samples written.
std::size_t decodeImaAdpcmBlocks(std::span<const unsigned char> bytes,
                                 std::span<std::int16_t> out);

} // namespace suite
