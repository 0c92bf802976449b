// The console program's command line: voxreel [--wav OUT.wav] [--no-play] [--info] FILE
#pragma once

#include <string>
#include <vector>

namespace voxreel::cli {

struct Options {
    std::string file;
    std::string wavOut; // empty: no copy
    bool play = true;
    bool info = false;
    bool help = false;
    bool version = false;
};

extern const char* const usage;

// Empty on success, else what is wrong.
std::string parseOptions(const std::vector<std::string>& arguments, Options& options);

} // namespace voxreel::cli
