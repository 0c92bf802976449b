#include "platform/command_line.hpp"

namespace platform {

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i]);
    return arguments;
}

} // namespace platform
