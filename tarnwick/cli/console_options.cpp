#include "tarnwick/cli/console_options.hpp"

#include "shared/tarnwick_console.hpp"

// On Windows the plain name belongs to the window program.
#ifdef _WIN32
#define TARNWICK_CONSOLE_NAME "tarnwick-cli"
#else
#define TARNWICK_CONSOLE_NAME "tarnwick"
#endif

namespace tarnwick::cli {

const char* const programName = TARNWICK_CONSOLE_NAME;

const char* const usage =
    "usage: " TARNWICK_CONSOLE_NAME " [--title TEXT] [--copyright TEXT] [--protect] [--4k] FILE.wav\n"
    "\n"
    "Converts FILE.wav (16-bit mono PCM, 8000 or 4000 Hz) into FILE.mmf beside it: a SMAF\n"
    "file whose audio track holds the sound as 4-bit ADPCM.\n"
    "\n"
    "  --title TEXT       song title (default: the file's name without folder and extension;\n"
    "                     an empty TEXT leaves the title out)\n"
    "  --copyright TEXT   copyright text (default: none)\n"
    "  --protect          mark the contents as protected\n"
    "  --4k               write an 8000-Hz file at 4000 Hz (a 4000-Hz file always is)\n"
    "  -h, --help         this text\n"
    "  --version          the suite's version\n"
    "  --                 the next argument is the file, even if it begins with -\n"
    "\n"
    "Prints the result as the message dialog shows it, in Japanese under a Japanese locale.\n"
    "Only one tarnwick runs at a time: a second one ends at once without a word.\n"
    "Exit status: 0 converted, 1 the conversion failed, 2 bad usage, 3 another tarnwick runs.\n";

std::string parseOptions(const std::vector<std::string>& arguments, Options& options) {
    namespace name = suite::tarnwickOption;
    bool onlyFile = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&](auto& target) -> std::string {
            if (i + 1 >= arguments.size()) return argument + " needs a value";
            target = arguments[++i];
            return "";
        };
        if (!onlyFile && argument.size() > 1 && argument[0] == '-') {
            std::string problem;
            if (argument == "-h" || argument == "--help") options.help = true;
            else if (argument == "--version") options.version = true;
            else if (argument == name::title) problem = value(options.title);
            else if (argument == name::copyright) problem = value(options.copyright);
            else if (argument == name::protect) options.protect = true;
            else if (argument == name::halfRate) options.halfRate = true;
            else if (argument == "--") onlyFile = true;
            else problem = "unknown option " + argument;
            if (!problem.empty()) return problem;
            continue;
        }
        if (!options.file.empty()) return "only one file is converted at a time";
        options.file = argument;
    }
    if (options.file.empty() && !options.help && !options.version) return "no file given";
    return "";
}

} // namespace tarnwick::cli
