#include "chimewright/app/command_line.hpp"

#include "chimewright/app/c_numbers.hpp"

#include <string>

namespace cw {

namespace {

enum class Switch { level, smafBudget, loop, noLoop, listLines, maxSize, normOff };

struct SwitchName {
    std::string_view text;
    Switch which;
    bool takesNumber;
};

// Compared in this order at every position: the first that matches acts.
constexpr SwitchName switches[] = {
    {"/v", Switch::level, true},           {"/mmf6ksz", Switch::smafBudget, true},
    {"/loop", Switch::loop, false},        {"/noloop", Switch::noLoop, false},
    {"/displine", Switch::listLines, true}, {"/maxmld", Switch::maxSize, true},
    {"/normoff", Switch::normOff, false},
};

constexpr std::size_t maxCommandLine = 1023;
constexpr int maxListLines = 14;
constexpr int maxUserSizeLimit = 800000;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(text[i]) != prefix[i]) return false;
    return true;
}

void apply(SettingsState& state, Switch which, int n) {
    switch (which) {
    case Switch::level:
        if (n > 0) state.normalisationLevel = n / 100.0;
        break;
    case Switch::smafBudget:
        if (n >= 1) state.smafBudget = n;
        break;
    case Switch::loop: state.loop = 1; break;
    case Switch::noLoop: state.loop = 0; break;
    case Switch::listLines:
        if (n >= 1 && n <= maxListLines) state.listLines = n;
        break;
    case Switch::maxSize:
        if (n >= 1 && n < maxUserSizeLimit) state.userSizeLimit = n;
        break;
    case Switch::normOff: state.normalisationFlags = 0; break;
    }
}

} // namespace

void parseCommandLine(SettingsState& state, std::string_view commandLine) {
    // The line is handled as a C string: it ends at its first NUL.
    std::string_view line = commandLine.substr(0, maxCommandLine);
    line = line.substr(0, line.find('\0'));
    const long long length = static_cast<long long>(line.size());
    for (long long i = 0; i < length - 2;) {
        const std::string_view rest = line.substr(static_cast<std::size_t>(i));
        const SwitchName* found = nullptr;
        for (const SwitchName& candidate : switches) {
            if (startsWithIgnoringCase(rest, candidate.text)) {
                found = &candidate;
                break;
            }
        }
        if (!found) {
            ++i;
            continue;
        }
        apply(state, found->which, leadingInteger(rest.substr(found->text.size())));
        i += static_cast<long long>(found->text.size()) + 1;
    }
}

bool isSwitchArgument(std::string_view argument) {
    for (const SwitchName& candidate : switches) {
        if (!startsWithIgnoringCase(argument, candidate.text)) continue;
        std::string_view rest = argument.substr(candidate.text.size());
        if (!candidate.takesNumber) {
            if (rest.empty()) return true;
            continue;
        }
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) rest.remove_prefix(1);
        if (rest.empty()) continue;
        bool digits = true;
        for (char c : rest) digits = digits && c >= '0' && c <= '9';
        if (digits) return true;
    }
    return false;
}

} // namespace cw
