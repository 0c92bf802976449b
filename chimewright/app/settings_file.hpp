// The settings file "ferrowind.ini": the current settings (sections STYLE, VOLUME, OPTION),
// their preset copies (the same sections behind a prefix such as "PresetA") and the
// section "user" with the output folder and the copyright text.
#pragma once

#include "chimewright/app/settings_state.hpp"
#include "platform/files.hpp"

#include <string>
#include <string_view>

namespace cw {

// The settings folder of the platform layer + "ferrowind.ini".
platform::Path settingsFilePath();

// Reads the three prefixed sections into state; missing keys take their defaults.
void loadSettings(SettingsState& state, const platform::Path& file, std::string_view prefix);

// Writes the three prefixed sections in their fixed key order. Write failures are not
// reported: the settings simply are not kept.
void saveSettings(const SettingsState& state, const platform::Path& file,
                  std::string_view prefix);

// "user"/"copyright" into the copyright text and its code-page-932 form.
void readUserCopyright(SettingsState& state, const platform::Path& file);

// Sets the copyright text and makes its code-page-932 form (at most 254 bytes).
void setCopyright(SettingsState& state, std::string_view text);

// Keeps the copyright text in "user"/"copyright" for the next start.
void storeUserCopyright(const SettingsState& state, const platform::Path& file);

// "user"/"output": the output folder the last batch wrote into, or empty.
std::string readOutputFolder(const platform::Path& file);
void storeOutputFolder(const platform::Path& file, std::string_view folder);

} // namespace cw
