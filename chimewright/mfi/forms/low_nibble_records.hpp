// What the low-nibble MFi writers (single-rest, vendor 0x11 "0300", vendor 0x31) share.
#pragma once

#include "shared/byte_image.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace cw {

// These families end every stream with four bytes of 0 (all of it when it is shorter).
constexpr std::size_t silentTailBytes = 4;
std::vector<unsigned char> withSilentTail(std::span<const unsigned char> voice);

// e ticks (at most 509, as the tempo choices of these forms give) as two rests:
// FF FF DE 00 and (e − 254) FF DE 00 above 254, else e FF DE 00 and 00 FF DE 00.
void putTwoRests(suite::ByteImage& image, std::uint32_t ticks);

} // namespace cw
