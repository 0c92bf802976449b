// The five named settings: "Latest" (the sections without prefix, saved when the window
// closes) and four presets kept in sections behind their names.
#pragma once

#include "chimewright/app/settings_state.hpp"
#include "platform/files.hpp"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cw {

inline constexpr std::array<const char*, 5> presetNames = {"Latest", "PresetA", "PresetB",
                                                           "PresetC", "PresetD"};

// The section prefix of a preset name (case does not matter): empty for "Latest"; nothing
// for a name that is not a preset.
std::optional<std::string> presetPrefix(std::string_view name);

// False for a name that is not a preset.
bool loadPreset(SettingsState& state, const platform::Path& file, std::string_view name);

// Saves into a named preset. "Latest" is never saved this way (closing the window keeps it):
// false, and nothing is written; also false for a name that is not a preset.
bool savePreset(const SettingsState& state, const platform::Path& file, std::string_view name);

} // namespace cw
