// Byte-level rules of code page 932 (Shift-JIS) texts, the form in which titles and
// copyright texts are stored inside ringtone files.
#pragma once

#include <cstddef>
#include <string_view>

namespace suite {

// First byte of a double-byte character: 0x81-0x9F or 0xE0-0xFC.
constexpr bool isCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The longest prefix of at most `limit` bytes that does not split a double-byte character.
std::string_view cutCp932Text(std::string_view text, std::size_t limit);

} // namespace suite
