#include "platform/profile.hpp"

#include "platform/posix/ini_text.hpp"
#include "platform/text.hpp"

#include <cstdint>
#include <system_error>

namespace platform {

namespace {

bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2
                           : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4
                           : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

// A settings file is UTF-8 text; one that is not valid UTF-8 came from a Japanese Windows
// system and holds code page 932. Its lines are kept as bytes; only the values read and
// written are converted.
struct IniFile {
    std::string bytes;
    bool cp932 = false;
    bool readable = true;
};

IniFile load(const Path& file) {
    IniFile ini;
    if (!fileExists(file)) return ini;
    auto bytes = readWholeFile(file);
    if (!bytes) {
        ini.readable = false;
        return ini;
    }
    ini.bytes = std::move(*bytes);
    ini.cp932 = !isValidUtf8(ini.bytes);
    return ini;
}

// At most `units` UTF-16 code units of UTF-8 text, never half a character.
std::string cutToUtf16Units(std::string_view text, std::size_t units) {
    std::size_t used = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::size_t cost = length == 4 ? 2 : 1;
        if (used + cost > units) break;
        used += cost;
        i += length;
    }
    return std::string(text.substr(0, i));
}

std::optional<std::string> findValue(const Path& file, std::string_view section,
                                     std::string_view key) {
    const IniFile ini = load(file);
    auto value = IniText(ini.bytes).find(section, key);
    if (value && ini.cp932) *value = cp932ToUtf8(*value);
    return value;
}

// Decimal digits after optional blanks and a sign; wraps around as 32 bits do.
int parseLeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

} // namespace

std::string readProfileString(const Path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t capacity) {
    if (capacity == 0) return {};
    auto value = findValue(file, section, key);
    return cutToUtf16Units(value ? *value : defaultValue, capacity - 1);
}

int readProfileInt(const Path& file, std::string_view section, std::string_view key,
                   int defaultValue) {
    // The system reads the value into a 30-character buffer before converting it.
    const std::string value = readProfileString(file, section, key, "", 30);
    return value.empty() ? defaultValue : parseLeadingInteger(value);
}

bool writeProfileString(const Path& file, std::string_view section, std::string_view key,
                        std::string_view value) {
    IniFile ini = load(file);
    if (!ini.readable) return false;
    IniText text(ini.bytes);
    text.set(section, key, ini.cp932 ? utf8ToCp932(value) : std::string(value));
    const std::string bytes = text.text();

    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    // Written beside the file and renamed over it, so a failed write never leaves half a file.
    Path fresh = file;
    fresh += ".new";
    if (!writeWholeFile(fresh, bytes.data(), bytes.size())) {
        deleteFile(fresh);
        return false;
    }
    std::filesystem::rename(fresh, file, ec);
    if (ec) deleteFile(fresh);
    return !ec;
}

} // namespace platform
