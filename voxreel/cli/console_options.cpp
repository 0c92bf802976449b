#include "voxreel/cli/console_options.hpp"

namespace voxreel::cli {

const char* const usage =
    "usage: voxreel [--wav OUT.wav] [--no-play] [--info] FILE\n"
    "\n"
    "Plays an MFi (.mld) or SMAF (.mmf) ringtone as the handset family would decode it.\n"
    "  --wav OUT.wav  also keep the rendered stereo WAV file as OUT.wav\n"
    "  --no-play      render only; do not play\n"
    "  --info         print the file's chunks, tracks, events and voice blocks\n"
    "  -h, --help     this text\n"
    "  --version      the suite's version\n"
    "Files of 1 MiB or more are not played. The rendered file is made in the current\n"
    "folder as _wmtmpNN.wav and removed when the program ends.\n";

std::string parseOptions(const std::vector<std::string>& arguments, Options& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--wav") {
            if (i + 1 >= arguments.size()) return "--wav needs a file name";
            options.wavOut = arguments[++i];
        } else if (argument == "--no-play") {
            options.play = false;
        } else if (argument == "--info") {
            options.info = true;
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
            return "unknown option " + argument;
        } else {
            if (!options.file.empty()) return "only one file can be played";
            options.file = argument;
        }
    }
    if (!options.help && !options.version && options.file.empty()) return "no file given";
    return {};
}

} // namespace voxreel::cli
