// The window is an ANSI window: its file names are bytes in the system's ANSI code page.
#pragma once

#include "platform/files.hpp"

#include <string>

namespace voxreel::gui {

// The file that an ANSI name stands for; empty for an empty name.
platform::Path pathFromAnsi(const std::string& name);

} // namespace voxreel::gui
