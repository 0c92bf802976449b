#include "chimewright/app/settings_state.hpp"

namespace cw {

SettingsState::SettingsState() {
    for (std::size_t t = 0; t < flags.size(); ++t) {
        flags[t] = targetProfiles[t].defaultFlags;
        volumes[t] = 1.0;
    }
}

double batchLevel(const SettingsState& state) {
    return (state.normalisationFlags & option::create) ? state.normalisationLevel : -1.0;
}

SettingsState asWindowShowsIt(const SettingsState& state) {
    SettingsState shown = state;
    shown.normalisationFlags = rowFlags(0, state.normalisationFlags);
    for (std::size_t t = 0; t < shown.flags.size(); ++t)
        shown.flags[t] = rowFlags(targetProfiles[t].options, state.flags[t]);
    return shown;
}

} // namespace cw
