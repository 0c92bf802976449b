// Numbers the G.726 MFi forms share: the rate code of their voice records, the channel table,
// the sound's length in 5-ms ticks and the "ainf" data of the "0400" file. `rate` is the rate
// written into the file (4000 stands for 2-bit code words at 8000 Hz).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace cw {

// 0x40 and the rate's selector (suite::mfi::g726RateSelectors): 0x44 at 4000 Hz, 0x45 at
// 8000 Hz (and any rate without a selector), 0x4D at 16000 Hz; at 32000 Hz 0x54 with 2-bit and
// 0x55 with 4-bit code words. A replay record adds 0x40.
unsigned char g726RateCode(int rate, bool twoBit);
constexpr unsigned char replayFlag = 0x40;

// The twelve bytes of the V 8F channel table: 81 01 e 89 01 e 83 01 (e+1) 8B 01 (e+1), with
// e = 1 up to 8000 Hz and 3 above.
std::array<unsigned char, 12> g726ChannelTable(int rate);

// D = trunc(seconds / 0.005 + 0.999) with seconds = bytes × 2 / rate below 32000 Hz and
// bytes × 4 (2-bit) or × 2 (4-bit) / 32000 + 0.05 at 32000 Hz; bytes of one channel.
std::uint32_t g726VoiceTicks(std::size_t bytesPerChannel, int rate, bool twoBit);

// Ticks of 1000/120 ms for the inline vendor 0x61 form: trunc(bytes × 0.06 + extra / 8.333333
// + 1) at 4000 Hz, trunc(extra / 8.333333 + bytes × 0.03 + 1) at 8000 Hz; at most 7201.
std::uint32_t g726InlineTicks(std::size_t bytes, int rate, std::uint32_t extraMs);

// "ainf" of the "0400" file: 01 01 81 00 06 f e f f e f, (f, e) = (32, 16) above 8000 Hz,
// else (16, 8).
std::array<unsigned char, 11> g726AudioInfo(int rate);

// The "adat" rate byte: 8 for 2-bit code words at 8000 Hz (written as rate 4000), else the
// rate in kHz.
unsigned char g726AdatRateKHz(int rate);

} // namespace cw
