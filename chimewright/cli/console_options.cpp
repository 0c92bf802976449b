#include "chimewright/cli/console_options.hpp"

#include "chimewright/app/command_line.hpp"

#include <cstdlib>
#include <string_view>

namespace console {

const char* const usage =
    "usage: chimewright [switches] [options] FILE...\n"
    "       chimewright --render-temp [--work-dir DIR] [--level L | --normoff] FILE.wav\n"
    "\n"
    "Converts every FILE (and every row of the --list files) into one ringtone file per\n"
    "enabled target, under OUTPUT/<target>/<name>.<ext>. Targets, volumes and options come\n"
    "from the settings file (\"ferrowind.ini\" in $WINDIR when it is set, else in\n"
    "$XDG_CONFIG_HOME/chimewright or ~/.config/chimewright). A row's title and output name\n"
    "are its file name up to the first dot.\n"
    "\n"
    "switches (before the first FILE, each one argument, any case):\n"
    "  /v<n>            normalisation level n/100 (n > 0)\n"
    "  /mmf6ksz<n>      SMAF size budget in bytes (n >= 1)\n"
    "  /loop, /noloop   loop flag of the MFi files on or off\n"
    "  /maxmld<n>       size limit for targets with \"Unlimited\" (1 <= n < 800000)\n"
    "  /normoff         normalisation off\n"
    "  /displine<n>     accepted; the console has no list window\n"
    "\n"
    "options:\n"
    "  -o, --output DIR   output folder (default: the one stored by the last batch, else\n"
    "                     the current folder); stored back into the settings file\n"
    "  --work-dir DIR     folder for the temporary files (default: the program's folder, or\n"
    "                     ~/.cache/chimewright when the program may not write there)\n"
    "  --list FILE        rows of tab-separated text as the list exports them: path, title,\n"
    "                     output name, interval; empty titles and names take the defaults\n"
    "  --preset NAME      use Latest, PresetA, PresetB, PresetC or PresetD\n"
    "  --copyright TEXT   copyright text for this run (the stored one otherwise)\n"
    "  --save             store the settings, after preset and switches, as the current\n"
    "                     settings (as closing the window does); nothing else is stored\n"
    "                     unless asked, but the output folder\n"
    "  --render-temp      render only the temporary WAV files of one FILE.wav into the\n"
    "                     working folder\n"
    "  --level L          with --render-temp: the normalisation level (0 or more)\n"
    "  --normoff          with --render-temp: normalisation off\n"
    "  --jobs N           convert N rows at once (default 1; 0: one per core), each worker\n"
    "                     in a folder job1, job2, ... of the working folder; results are\n"
    "                     printed in row order and the files are those of one worker\n"
    "  --report[=FORMAT]  after the batch, for every row and target: the file, its size\n"
    "                     against its limit, its playing time and how close it sounds to\n"
    "                     its source (SNR and correlation per channel); FORMAT is text\n"
    "                     (the default) or json\n"
    "  --report-file FILE write the report to FILE instead of standard output\n"
    "  -h, --help         this text\n"
    "  --version          the suite's version\n"
    "  --                 every later argument is a FILE\n"
    "\n"
    "The QCP target is made by the outside converter \"PVConv.exe\" when it lies beside\n"
    "chimewright (20 s at most); without it no QCP file is made.\n"
    "\n"
    "Prints each row's result as the list shows it (\"◎\" for success). When standard input\n"
    "is a terminal and a row failed, asks whether to retry the rows that failed.\n"
    "Exit status: 0 every row succeeded, 1 a row failed or there was nothing to convert,\n"
    "2 bad usage.\n";

namespace {

bool isOption(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-';
}

} // namespace

std::string parseOptions(const std::vector<std::string>& arguments, Options& options) {
    bool onlyFiles = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        if (onlyFiles || !isOption(argument)) {
            // Switches come before the files; a path is never read as one.
            if (!onlyFiles && options.files.empty() && cw::isSwitchArgument(argument))
                options.switches.push_back(argument);
            else
                options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
            continue;
        }
        // "--name=value" or "--name value"
        std::optional<std::string> inlineValue;
        if (argument.rfind("--", 0) == 0) {
            const std::size_t equals = argument.find('=');
            if (equals != std::string::npos) {
                inlineValue = argument.substr(equals + 1);
                argument.resize(equals);
            }
        }
        auto value = [&]() -> std::optional<std::string> {
            if (inlineValue) return inlineValue;
            if (i + 1 < arguments.size()) return arguments[++i];
            return std::nullopt;
        };
        auto needsValue = [&](std::optional<std::string>& into, const char* what) -> std::string {
            into = value();
            return into ? std::string() : argument + " needs " + what;
        };
        auto takesNoValue = [&]() -> std::string {
            return inlineValue ? argument + " takes no value" : std::string();
        };

        std::string problem;
        if (argument == "-h" || argument == "--help") {
            options.mode = Options::Mode::help;
            return {};
        } else if (argument == "--version") {
            options.mode = Options::Mode::version;
            return {};
        } else if (argument == "-o" || argument == "--output") {
            problem = needsValue(options.output, "a folder");
        } else if (argument == "--work-dir" || argument == "--work-folder") {
            problem = needsValue(options.workFolder, "a folder");
        } else if (argument == "--list") {
            std::optional<std::string> list;
            problem = needsValue(list, "a file");
            if (list) options.lists.push_back(*list);
        } else if (argument == "--preset") {
            problem = needsValue(options.preset, "a preset name");
        } else if (argument == "--copyright") {
            problem = needsValue(options.copyright, "a text");
        } else if (argument == "--save") {
            problem = takesNoValue();
            options.save = true;
        } else if (argument == "--render-temp") {
            problem = takesNoValue();
            options.mode = Options::Mode::renderTemp;
        } else if (argument == "--level") {
            std::optional<std::string> text;
            problem = needsValue(text, "a number of 0 or more");
            if (text) {
                char* end = nullptr;
                options.level = std::strtod(text->c_str(), &end);
                if (text->empty() || *end != '\0' || !(options.level >= 0))
                    problem = "--level needs a number of 0 or more";
                options.levelGiven = true;
            }
        } else if (argument == "--normoff") {
            problem = takesNoValue();
            options.level = -1.0;
            options.levelGiven = true;
        } else if (auto extra = parseBatchExtra(argument, inlineValue, value, options.extras)) {
            problem = *extra;
        } else {
            problem = "unknown option " + argument;
        }
        if (!problem.empty()) return problem;
    }

    if (options.mode == Options::Mode::renderTemp) {
        if (options.files.size() != 1) return "--render-temp takes one input file";
        if (!options.switches.empty() || options.output || !options.lists.empty() ||
            options.preset || options.copyright || options.save || options.extras.any())
            return "--render-temp takes only --work-dir, --level and --normoff";
        return {};
    }
    if (options.levelGiven) return "--level and --normoff belong to --render-temp (use /v<n> or /normoff)";
    if (options.files.empty() && options.lists.empty() && !options.save) return "no input files";
    return {};
}

} // namespace console
