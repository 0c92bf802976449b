// The values that the window edits, the settings file keeps and each conversion reads.
#pragma once

#include "chimewright/app/target_profiles.hpp"
#include "chimewright/driver/targets.hpp"

#include <array>
#include <cstdint>
#include <string>

namespace cw {

struct SettingsState {
    SettingsState();

    std::array<std::uint32_t, targetCount> flags{};
    std::uint32_t normalisationFlags = defaultNormalisationFlags; // bit 9: normalisation on
    std::array<double, targetCount> volumes{}; // SMAF and QCP have none: always 1.0 for them
    double normalisationLevel = 1.0;
    int loop = 0;
    int userSizeLimit = 100000;
    int smafBudget = 5900; // never stored
    int listLines = 7;     // never stored
    std::string copyright;     // UTF-8, at most 1023 UTF-16 code units
    std::string copyrightAnsi; // code page 932, at most 254 bytes
};

// The level handed to the readers: the normalisation level when normalisation is on, else −1.
double batchLevel(const SettingsState& state);

// The state as the window holds it: every flags word as its row builds it (see rowFlags).
// Saving this is what closing the window saves.
SettingsState asWindowShowsIt(const SettingsState& state);

} // namespace cw
