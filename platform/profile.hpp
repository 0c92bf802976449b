// Private-profile (INI) files: sections of "key=value" lines, names compared without regard
// to case. Windows uses the system's own functions; elsewhere our own reader and writer keep
// every other section, key and comment of the file as it is.
#pragma once

#include "platform/files.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The value of key in section, or defaultValue when the file, the section or the key is
// missing. At most capacity − 1 UTF-16 code units are returned, as a buffer of capacity
// characters would hold. Texts are UTF-8.
std::string readProfileString(const Path& file, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t capacity);

// The integer at the start of a key's value; defaultValue when the key is missing or empty,
// 0 when the value is not a number.
int readProfileInt(const Path& file, std::string_view section, std::string_view key,
                   int defaultValue);

// Sets key in section, adding the section or key when missing. False when the file cannot be
// written.
bool writeProfileString(const Path& file, std::string_view section, std::string_view key,
                        std::string_view value);

// The folder of the settings file: the one named by WINDIR when it is set; otherwise the
// system's default (Windows: "C:\"; elsewhere the per-user configuration folder
// $XDG_CONFIG_HOME/chimewright, by default ~/.config/chimewright).
Path settingsFolder();

} // namespace platform
