// --targets and --volume: the targets, options and volumes of one run, given by name as the
// window shows them, laid over the settings.
#pragma once

#include "chimewright/app/settings_state.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::cli {

// One entry of a --targets list.
struct TargetChoice {
    int target = 0;
    bool keepStored = true; // a bare name: the stored options stay
    std::uint32_t rate = 0; // the rate or stereo option given, 0: the stored one
    bool unlimited = false; // ":unlimited" was given
};

struct VolumeChoice {
    std::optional<int> target; // nothing: the normalisation level
    int percent = 100;
};

// The target whose row label (or settings key) is `name`, any case; nothing for another name.
std::optional<int> targetByName(std::string_view name);

// Parses "NAME[:OPTION][:unlimited],..." ("all" stands for every target) onto `choices`.
// Empty on success, else what is wrong, naming what would be right.
std::string parseTargetList(std::string_view list, std::vector<TargetChoice>& choices);

// Parses "NAME=PERCENT" (1-100; "normalize" for the normalisation level).
std::string parseVolume(std::string_view text, VolumeChoice& choice);

// Exactly the chosen targets are enabled; the others keep their options but are off. A
// target given with options gets the flags word its window row builds for them, a bare name
// its stored word with "Create" on.
void applyTargetChoices(cw::SettingsState& state, const std::vector<TargetChoice>& choices);

void applyVolumeChoices(cw::SettingsState& state, const std::vector<VolumeChoice>& choices);

} // namespace cw::cli
