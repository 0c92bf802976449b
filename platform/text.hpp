// Text conversions between the user interface (UTF-8 in the core) and the Japanese ANSI code
// page (932) that ringtone files store.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// UTF-8 to code page 932. Characters the code page lacks become '?'. Never fails.
std::string utf8ToCp932(std::string_view utf8);
// Code page 932 to UTF-8; undecodable bytes become U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);

// A path from UTF-8 text, and back.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string pathToUtf8(const std::filesystem::path& path);

} // namespace platform
