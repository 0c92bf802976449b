// The program's command-line arguments as UTF-8 text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// argv as main() received it gives the arguments in the system's ANSI code page on Windows,
// where a Japanese file name does not survive as UTF-8; this asks the system for the
// Unicode command line instead. Elsewhere it is argv as it stands. The first element is the
// program.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// The part of a whole Windows command line (as GetCommandLine gives it) after the program's
// name and the blanks that follow it, the way a WinMain entry receives it: the name ends at
// its closing quote when it starts with one, else at the first blank. Bytes of 0x80 and
// above are ordinary characters, so an ANSI line with Japanese names comes through whole.
std::string_view argumentsAfterProgramName(std::string_view commandLine);

} // namespace platform
