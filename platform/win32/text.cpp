#include "platform/text.hpp"

#include "platform/win32/wide_text.hpp"

#include <climits>
#include <windows.h>

namespace platform {

namespace {

// The Japanese ANSI code page, named outright so the result does not depend on the system's.
constexpr UINT japaneseCodePage = 932;

// One code-page-932 character (one or two bytes) to UTF-16; false when the bytes are not a
// character of the code page.
bool decodeOne(const char* bytes, int length, std::wstring& out) {
    wchar_t unit[2];
    int made = ::MultiByteToWideChar(japaneseCodePage, MB_ERR_INVALID_CHARS, bytes, length,
                                     unit, 2);
    if (made <= 0) return false;
    out.append(unit, static_cast<std::size_t>(made));
    return true;
}

std::wstring cp932ToWide(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int length = static_cast<int>(bytes.size());
    int needed = ::MultiByteToWideChar(japaneseCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                       length, nullptr, 0);
    if (needed > 0) {
        std::wstring wide(static_cast<std::size_t>(needed), L'\0');
        ::MultiByteToWideChar(japaneseCodePage, MB_ERR_INVALID_CHARS, bytes.data(), length,
                              wide.data(), needed);
        return wide;
    }
    // Some bytes do not decode: go character by character so that each bad byte becomes one
    // U+FFFD and the text around it survives. (Without the error flag the system would put
    // its own default character there instead.)
    std::wstring wide;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const bool lead = ::IsDBCSLeadByteEx(japaneseCodePage, static_cast<BYTE>(bytes[i]));
        const int unit = lead && i + 1 < bytes.size() ? 2 : 1;
        if (decodeOne(bytes.data() + i, unit, wide)) {
            i += static_cast<std::size_t>(unit);
        } else {
            wide.push_back(L'\xFFFD');
            ++i;
        }
    }
    return wide;
}

} // namespace

std::string utf8ToCp932(std::string_view utf8) {
    const std::wstring wide = utf8ToWide(utf8);
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    // Composite check: a base letter followed by a combining mark (as some input methods and
    // file systems store kana with voicing marks) becomes the precomposed character.
    const DWORD flags = WC_COMPOSITECHECK;
    const char replacement[] = "?";
    int needed = ::WideCharToMultiByte(japaneseCodePage, flags, wide.data(), length, nullptr, 0,
                                       replacement, nullptr);
    if (needed <= 0) return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    int made = ::WideCharToMultiByte(japaneseCodePage, flags, wide.data(), length, bytes.data(),
                                     needed, replacement, nullptr);
    bytes.resize(made > 0 ? static_cast<std::size_t>(made) : 0);
    return bytes;
}

std::string cp932ToUtf8(std::string_view cp932) { return wideToUtf8(cp932ToWide(cp932)); }

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(utf8ToWide(utf8));
}

std::string pathToUtf8(const std::filesystem::path& path) { return wideToUtf8(path.native()); }

} // namespace platform
