// The program's switches: "/v", "/mmf6ksz", "/loop", "/noloop", "/displine", "/maxmld",
// "/normoff" (any case), some followed by a number.
#pragma once

#include "chimewright/app/settings_state.hpp"

#include <string_view>

namespace cw {

// Scans a command line (code page 932 bytes, at most 1023 used) for switches and adjusts
// the state. Every position is tried; after a switch the scan goes on past its text and
// one more character. Values outside a switch's range leave the state as it is.
void parseCommandLine(SettingsState& state, std::string_view commandLine);

// True when an argument is exactly one switch with a number where the switch takes one
// ("/V80", "/loop"), so that a file path such as "/var/x.wav" or "/home/loop/x.wav" is never
// taken for one.
bool isSwitchArgument(std::string_view argument);

} // namespace cw
