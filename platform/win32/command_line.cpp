#include "platform/command_line.hpp"

#include "platform/win32/wide_text.hpp"

// <windows.h> first: <shellapi.h> builds on its definitions.
#include <windows.h>

#include <shellapi.h>

namespace platform {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        // Without the Unicode line, the ANSI arguments are still better than none.
        std::vector<std::string> arguments;
        for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
        return arguments;
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) arguments.push_back(wideToUtf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

} // namespace platform
