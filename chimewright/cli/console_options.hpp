// The console program's arguments: chimewright [switches] [options] FILE...
#pragma once

#include "chimewright/cli/batch_extras.hpp"

#include <optional>
#include <string>
#include <vector>

namespace console {

struct Options {
    enum class Mode { batch, renderTemp, help, version };
    Mode mode = Mode::batch;

    std::vector<std::string> switches; // the program's own switches, in the order given
    std::optional<std::string> output;
    std::optional<std::string> workFolder;
    std::vector<std::string> lists;
    std::optional<std::string> preset;
    std::optional<std::string> copyright;
    bool save = false;
    std::vector<std::string> files;
    BatchExtras extras; // --jobs, --report

    // --render-temp only
    double level = 1.0;
    bool levelGiven = false;
};

extern const char* const usage;

// Empty on success, else what is wrong with the arguments.
std::string parseOptions(const std::vector<std::string>& arguments, Options& options);

} // namespace console
