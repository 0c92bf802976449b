// Title and copyright as an MFi file stores them: code-page-932 bytes copied while they are at
// or above 0x20, at most 64 bytes. An empty title writes no "titl" chunk; an empty copyright
// writes no "copy" chunk and a "sorc" byte of 0.
#pragma once

#include <string>
#include <string_view>

namespace cw {

struct MfiTexts {
    std::string title;
    std::string copyright;

    bool hasCopyright() const { return !copyright.empty(); }
};

// The bytes before the first control character, at most 64 of them.
std::string cutMfiText(std::string_view ansi);

MfiTexts makeMfiTexts(std::string_view titleAnsi, std::string_view copyrightAnsi);

} // namespace cw
