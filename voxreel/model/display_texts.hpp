// The three texts the player shows for a ringtone: title, copyright and type label. Each is
// what a zero-terminated 256-byte buffer holds: at most 255 bytes, ending at a zero byte.
#pragma once

#include <span>
#include <string>

namespace voxreel {

struct DisplayTexts {
    std::string title;
    std::string copyright;
    std::string label;

    void clear() { *this = {}; }
};

constexpr std::size_t maxDisplayBytes = 255;

// Text bytes as a display buffer holds them: cut at the first zero byte and at 255 bytes.
std::string displayText(std::span<const unsigned char> bytes);
std::string displayText(const std::string& bytes);

// Removes trailing blanks, but never the first character: a text of blanks keeps one.
void trimTrailingBlanks(std::string& text);

} // namespace voxreel
