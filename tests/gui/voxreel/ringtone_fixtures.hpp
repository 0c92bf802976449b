// Ringtone files for the window's tests, made by the suite's own builders and writers.
#pragma once

#include <string>

namespace voxreel_gui_test {

// An MFi file (version "0300") with one inline step-ADPCM voice of vendor 0x21 at 8000 Hz;
// texts in UTF-8, stored in code page 932. Label "MFi(300) / F504,F505 / 8000[Hz]".
std::string voicedMfi(const std::string& title, const std::string& copyright);
inline constexpr const char* voicedMfiLabel = "MFi(300) / F504,F505 / 8000[Hz]";

// A SMAF file as tarnwick writes it from half a second of 8000-Hz tone. Label
// "MMF / 8000[Hz]".
std::string tarnwickSmaf(const std::string& title, const std::string& copyright);
inline constexpr const char* tarnwickSmafLabel = "MMF / 8000[Hz]";

} // namespace voxreel_gui_test
