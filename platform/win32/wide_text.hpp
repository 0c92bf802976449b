// UTF-8 (the core's text) to and from UTF-16 (the Win32 "W" functions). Windows builds only.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Invalid UTF-8 and unpaired surrogates become U+FFFD.
std::wstring utf8ToWide(std::string_view utf8);
std::string wideToUtf8(std::wstring_view wide);

} // namespace platform
