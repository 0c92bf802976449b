// What each target offers in the window and what it starts with: its row label, option
// controls and default flags word. Indexed like targetTable.
#pragma once

#include "chimewright/driver/targets.hpp"

#include <array>
#include <cstdint>

namespace cw {

struct TargetProfile {
    const char* rowLabel;
    std::uint32_t options;      // option bits whose controls the row has (besides "Create")
    std::uint32_t defaultFlags; // flags word of a fresh settings file
};

extern const std::array<TargetProfile, targetCount> targetProfiles;

// The option controls as the option header names them, in the order of a row.
struct OptionLabel {
    std::uint32_t bit;
    const char* label;
};
extern const std::array<OptionLabel, 8> optionLabels;

// The rate or stereo option a row shows pressed for `flags` (one bit), or 0 when the row has
// no such button pressed (no rate options, or only bit 5 without an "8kHz" button).
std::uint32_t pressedRateOption(std::uint32_t options, std::uint32_t flags);

// The normalisation row: "Create" turns normalisation on; it has no option controls.
constexpr std::uint32_t defaultNormalisationFlags = 544;

// The flags word a window row builds after showing `flags`: "Create" and the options it
// has, with exactly one rate button pressed, and bit 5 kept when the row has no "8kHz" button.
std::uint32_t rowFlags(std::uint32_t options, std::uint32_t flags);

} // namespace cw
