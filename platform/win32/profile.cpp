#include "platform/profile.hpp"

#include "platform/win32/wide_text.hpp"

#include <climits>
#include <string>
#include <windows.h>

namespace platform {

std::string readProfileString(const Path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t capacity) {
    if (capacity == 0 || capacity > INT_MAX) return {};
    std::wstring buffer(capacity, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(
        utf8ToWide(section).c_str(), utf8ToWide(key).c_str(), utf8ToWide(defaultValue).c_str(),
        buffer.data(), static_cast<DWORD>(capacity), file.c_str());
    buffer.resize(length);
    return wideToUtf8(buffer);
}

int readProfileInt(const Path& file, std::string_view section, std::string_view key,
                   int defaultValue) {
    const UINT value = ::GetPrivateProfileIntW(utf8ToWide(section).c_str(),
                                               utf8ToWide(key).c_str(), defaultValue,
                                               file.c_str());
    return static_cast<int>(value);
}

bool writeProfileString(const Path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
    return ::WritePrivateProfileStringW(utf8ToWide(section).c_str(), utf8ToWide(key).c_str(),
                                        utf8ToWide(value).c_str(), file.c_str()) != 0;
}

} // namespace platform
