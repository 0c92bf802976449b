#include "platform/command_line.hpp"

namespace platform {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

std::string_view argumentsAfterProgramName(std::string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && !isBlank(commandLine[i])) ++i;
    while (i < commandLine.size() && isBlank(commandLine[i])) ++i;
    return commandLine.substr(i);
}

} // namespace platform
