#include "platform/win32/wide_text.hpp"

#include <climits>
#include <windows.h>

namespace platform {

// Both directions take int lengths; texts beyond that are far outside what the programs
// handle and convert to nothing rather than to a cut-off string.

std::wstring utf8ToWide(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX) return {};
    const int length = static_cast<int>(utf8.size());
    int needed = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    int made = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), needed);
    wide.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
    return wide;
}

std::string wideToUtf8(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const int length = static_cast<int>(wide.size());
    int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    int made = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed,
                                     nullptr, nullptr);
    utf8.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
    return utf8;
}

} // namespace platform
