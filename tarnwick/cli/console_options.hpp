// The console program's arguments, which stand for the title dialog's fields.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::cli {

struct Options {
    bool help = false;
    bool version = false;
    std::optional<std::string> title; // absent: the dialog's pre-filled title
    std::string copyright;
    bool protect = false;
    bool halfRate = false;
    std::string file;
};

extern const char* const programName; // as the user calls it
extern const char* const usage;

// Empty on success, else what is wrong with the arguments (the program name excluded).
std::string parseOptions(const std::vector<std::string>& arguments, Options& options);

} // namespace tarnwick::cli
