// The program's command-line arguments as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace platform {

// argv as main() received it gives the arguments in the system's ANSI code page on Windows,
// where a Japanese file name does not survive as UTF-8; this asks the system for the
// Unicode command line instead. Elsewhere it is argv as it stands. The first element is the
// program.
std::vector<std::string> commandLineArguments(int argc, char** argv);

} // namespace platform
