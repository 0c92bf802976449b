// --list-targets: every target as the settings of this run have it.
#pragma once

#include "chimewright/app/settings_state.hpp"

#include <string>

namespace cw::cli {

// A table with one line per target: name, on, volume, the options it offers with the chosen
// one marked, "Unlimited", size limit, file type and the folder its files land in under
// `outputFolder`; a line on normalisation, loop and the user size limit before it.
std::string targetListing(const cw::SettingsState& state, const std::string& outputFolder);

} // namespace cw::cli
