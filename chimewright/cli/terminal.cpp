#include "chimewright/cli/terminal.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace cw::cli {

#ifdef _WIN32

void useUtf8Output() { ::SetConsoleOutputCP(CP_UTF8); }

namespace {

// A console handle, not merely a character device: the null device counts as one of those.
bool isConsole(DWORD which) {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(which), &mode) != 0;
}

} // namespace

bool inputIsTerminal() { return isConsole(STD_INPUT_HANDLE); }
bool errorIsTerminal() { return isConsole(STD_ERROR_HANDLE); }

#else

void useUtf8Output() {}

bool inputIsTerminal() { return ::isatty(STDIN_FILENO) != 0; }
bool errorIsTerminal() { return ::isatty(STDERR_FILENO) != 0; }

#endif

} // namespace cw::cli
