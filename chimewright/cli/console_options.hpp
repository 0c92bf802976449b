// The console program's arguments: chimewright [switches] [options] FILE...
#pragma once

#include "chimewright/app/result_messages.hpp"
#include "chimewright/cli/batch_extras.hpp"
#include "chimewright/cli/target_options.hpp"

#include <optional>
#include <string>
#include <vector>

namespace cw::cli {

struct Options {
    enum class Mode { batch, renderTemp, listTargets, help, version };
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

    // This run's targets, options and volumes over the settings; targetsGiven even when the
    // list named none.
    bool targetsGiven = false;
    std::vector<TargetChoice> targets;
    std::vector<VolumeChoice> volumes;
    std::optional<cw::Language> language; // nothing: the user's

    // --render-temp only
    double level = 1.0;
    bool levelGiven = false;
};

// The --help text, with the sound file formats the installed decoder reads.
std::string usageText();

// Empty on success, else what is wrong with the arguments.
std::string parseOptions(const std::vector<std::string>& arguments, Options& options);

} // namespace cw::cli
