// ITU-T G.726 ADPCM with 2-bit (16 kbit/s) and 4-bit (32 kbit/s) code words, following the
// Recommendation's fixed-point blocks: adaptive quantiser and inverse quantiser, quantiser
// scale-factor adaptation, adaptation speed control, the sixth-order zero and second-order
// pole predictor, and tone and transition detection. Encoder and decoder share every state
// update, so a decoder fed an encoder's codes reproduces its reconstructed signal exactly.
//
// Signals here are the Recommendation's: the encoder takes a 14-bit linear sample and the
// decoder returns the reconstructed signal. How the suite scales 16-bit samples to and from
// them is in g726_channel.hpp.
#pragma once

#include <array>
#include <cstdint>

namespace suite {

enum class G726CodeWidth {
    twoBits = 2,  // 16 kbit/s at 8000 Hz
    fourBits = 4, // 32 kbit/s at 8000 Hz
};

// The coder state, in the Recommendation's fixed-point formats. Start every stream with
// g726Reset.
struct G726State {
    std::uint32_t yl = 34816; // locked scale factor, 19 bits
    std::uint32_t yu = 544;   // unlocked scale factor, 13 bits
    std::uint32_t dms = 0;    // short-term average of F(I), 12 bits
    std::uint32_t dml = 0;    // long-term average of F(I), 14 bits
    std::uint32_t ap = 0;     // speed-control parameter, 10 bits
    std::array<std::uint32_t, 2> a{};   // pole coefficients a1, a2, 16-bit two's complement
    std::array<std::uint32_t, 6> b{};   // zero coefficients b1..b6, 16-bit two's complement
    std::array<std::uint32_t, 6> dq{32, 32, 32, 32, 32, 32}; // past quantised differences, float
    std::array<std::uint32_t, 2> sr{32, 32}; // past reconstructed signals, float
    std::array<std::uint32_t, 2> pk{};  // signs of the past two dq + sez
    std::uint32_t td = 0;     // tone detected at the previous sample
};

void g726Reset(G726State& state);

// The quantiser scale factor y (13 bits, in the Recommendation's units) that the next sample
// will use: the locked and unlocked factors mixed by the speed-control parameter.
int g726ScaleFactor(const G726State& state);

// Encodes one 14-bit linear sample (-8192 ... 8191) and returns the code word
// (0 ... 3 or 0 ... 15).
unsigned g726Encode(G726State& state, int linear, G726CodeWidth width);

// Decodes one code word (only its low 2 or 4 bits are used) and returns the reconstructed
// signal (16-bit two's complement; stays near the 14-bit range for in-range input).
int g726Decode(G726State& state, unsigned code, G726CodeWidth width);

} // namespace suite
