// The check code of SMAF files and the two-character check mark derived from it.
//
// Check code: CRC-16, polynomial 0x1021, most significant bit first, initial value 0xFFFF,
// final value complemented. It covers a file from its "MMMD" identifier up to the code
// itself and is stored big-endian in the file's last two bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace suite {

// 0xD64E for the nine bytes "123456789"; 0x0000 for an empty range.
std::uint16_t smafCrc16(const unsigned char* bytes, std::size_t length);

// Two upper-case hexadecimal characters: bits 11-8 of the check code XOR 0xD, then bits 3-0
// XOR 0x2. The audio writer puts them after "YW12" in its "A0:" and "A2:" tags.
std::array<char, 2> smafCheckMark(const unsigned char* bytes, std::size_t length);

} // namespace suite
