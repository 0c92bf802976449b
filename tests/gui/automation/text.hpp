// Window texts are UTF-16; failure messages and file names built by tests are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace gui_test {

std::string toUtf8(std::wstring_view text);
std::wstring toWide(std::string_view utf8);

} // namespace gui_test
