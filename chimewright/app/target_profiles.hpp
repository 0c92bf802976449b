// What each target offers in the window and what it starts with: its row label, option
// controls and default flags word, read from the target table.
#pragma once

#include "chimewright/job/target_table.hpp"

#include <array>
#include <cstdint>

namespace cw {

// The window reads the rows of the target table.
using TargetProfile = TargetRow;
inline const std::array<TargetProfile, targetCount>& targetProfiles = targetTable;

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
