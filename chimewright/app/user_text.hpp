// Limits and encodings of user-interface text: the window counts characters in UTF-16 code
// units, ringtone files store code page 932 bytes, and the core keeps UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cw {

// UTF-8 to UTF-16 code units; a byte that does not start a valid sequence becomes U+FFFD.
std::u16string toUtf16(std::string_view utf8);

// The first characters of UTF-8 text that fit into `units` UTF-16 code units.
std::string cutToUtf16Units(std::string_view utf8, std::size_t units);

// Code page 932 bytes cut to at most `limit` bytes without splitting a double-byte character.
std::string cutCp932Bytes(std::string_view cp932, std::size_t limit);

// Text from a file that may be UTF-8 or code page 932 (as Windows writes it), as UTF-8.
std::string textFromFile(std::string_view bytes);

} // namespace cw
