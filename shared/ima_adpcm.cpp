#include "shared/ima_adpcm.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>
#include <array>

namespace suite {

namespace {

constexpr std::array<int, 89> stepTable = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr std::array<int, 8> indexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8};

constexpr std::size_t blockHeaderBytes = 4;

} // namespace

int imaAdpcmStep(int stepIndex) { return stepTable[std::clamp(stepIndex, 0, 88)]; }

std::int16_t imaAdpcmDecodeSample(ImaAdpcmState& state, unsigned code) {
    const int step = stepTable[state.stepIndex];
    int diff = step >> 3;
    if (code & 4) diff += step;
    if (code & 2) diff += step >> 1;
    if (code & 1) diff += step >> 2;
    if (code & 8) diff = -diff;
    state.predictor = static_cast<std::int16_t>(std::clamp(state.predictor + diff, -32768, 32767));
    state.stepIndex = std::clamp(state.stepIndex + indexAdjust[code & 7], 0, 88);
    return state.predictor;
}

unsigned imaAdpcmEncodeSample(ImaAdpcmState& state, std::int16_t sample) {
    int step = stepTable[state.stepIndex];
    int diff = sample - state.predictor;
    unsigned code = 0;
    if (diff < 0) {
        code = 8;
        diff = -diff;
    }
    for (unsigned bit = 4; bit != 0; bit >>= 1) {
        if (diff >= step) {
            code |= bit;
            diff -= step;
        }
        step >>= 1;
    }
    imaAdpcmDecodeSample(state, code);
    return code;
}

std::size_t imaAdpcmEncodedSize(std::size_t sampleCount) {
    return (sampleCount + imaAdpcmSamplesPerBlock - 1) / imaAdpcmSamplesPerBlock *
           imaAdpcmBlockBytes;
}

void encodeImaAdpcmBlock(ImaAdpcmState& state, std::span<const std::int16_t> samples,
                         unsigned char* block) {
    auto sampleAt = [&](std::size_t i) {
        return i < samples.size() ? samples[i] : std::int16_t{0}; // silence completes a block
    };
    state.predictor = sampleAt(0);
    writeLe16(block, static_cast<std::uint16_t>(state.predictor));
    block[2] = static_cast<unsigned char>(state.stepIndex);
    block[3] = 0;
    for (std::size_t j = 0; j < imaAdpcmBlockBytes - blockHeaderBytes; ++j) {
        const unsigned low = imaAdpcmEncodeSample(state, sampleAt(1 + 2 * j));
        const unsigned high = imaAdpcmEncodeSample(state, sampleAt(2 + 2 * j));
        block[blockHeaderBytes + j] = static_cast<unsigned char>(low | (high << 4));
    }
}

std::size_t encodeImaAdpcmBlocks(std::span<const std::int16_t> samples,
                                 std::span<unsigned char> out) {
    const std::size_t total = imaAdpcmEncodedSize(samples.size());
    if (total > out.size()) return 0;
    ImaAdpcmState state;
    for (std::size_t first = 0, at = 0; first < samples.size();
         first += imaAdpcmSamplesPerBlock, at += imaAdpcmBlockBytes) {
        const std::size_t n = std::min(imaAdpcmSamplesPerBlock, samples.size() - first);
        encodeImaAdpcmBlock(state, samples.subspan(first, n), out.data() + at);
    }
    return total;
}

std::size_t decodeImaAdpcmBlocks(std::span<const unsigned char> bytes,
                                 std::span<std::int16_t> out) {
    const std::size_t blocks = std::min(bytes.size() / imaAdpcmBlockBytes,
                                        out.size() / imaAdpcmSamplesPerBlock);
    for (std::size_t block = 0; block < blocks; ++block) {
        const unsigned char* src = bytes.data() + block * imaAdpcmBlockBytes;
        std::int16_t* dst = out.data() + block * imaAdpcmSamplesPerBlock;
        ImaAdpcmState state;
        state.predictor = static_cast<std::int16_t>(readLe16(src));
        state.stepIndex = std::min(int{src[2]}, 88);
        *dst++ = state.predictor;
        for (std::size_t j = blockHeaderBytes; j < imaAdpcmBlockBytes; ++j) {
            *dst++ = imaAdpcmDecodeSample(state, src[j] & 0x0F);
            *dst++ = imaAdpcmDecodeSample(state, src[j] >> 4);
        }
    }
    return blocks * imaAdpcmSamplesPerBlock;
}

} // namespace suite
