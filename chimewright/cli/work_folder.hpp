// Where the console program keeps its temporary files when it is not told.
#pragma once

#include "platform/files.hpp"

namespace cw::cli {

// The program's own folder, as the window program uses it, when files can be made there;
// else (an installed program in a system folder) the user's own working folder.
platform::Path defaultWorkFolder();

} // namespace cw::cli
