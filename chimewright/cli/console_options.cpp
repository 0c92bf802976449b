#include "chimewright/cli/console_options.hpp"

#include "chimewright/app/command_line.hpp"
#include "platform/audio_decode.hpp"

#include <cstdlib>
#include <string_view>

namespace cw::cli {

namespace {

// One option: its names, its value, its help and what it does. The help lists the options
// in this order, under the headings.
struct OptionSpec {
    const char* heading; // starts a group in the help; nullptr: same group as before
    const char* names;   // as the help shows them, separated by ", "
    const char* hidden;  // one more name the help does not show, or nullptr
    const char* value;   // the value's name in the help; nullptr for an option without one
    const char* needs;   // what a missing value is, for the message
    const char* help;    // lines separated by "\n"
    std::string (*apply)(Options& options, const std::string& value); // empty, or a problem
    // The value comes only after "=" and may be left out (empty then): "--name[=VALUE]".
    bool valueAfterEqualsOnly = false;
};

std::string setMode(Options& options, Options::Mode mode) {
    options.mode = mode;
    return {};
}

const OptionSpec optionTable[] = {
    {"options:", "-o, --output", nullptr, "DIR", "a folder",
     "output folder (default: the one stored by the last batch, else\n"
     "the current folder); stored back into the settings file",
     [](Options& o, const std::string& v) {
         o.output = v;
         return std::string();
     }},
    {nullptr, "--work-dir", "--work-folder", "DIR", "a folder",
     "folder for the temporary files (default: the program's folder, or\n"
     "~/.cache/chimewright when the program may not write there)",
     [](Options& o, const std::string& v) {
         o.workFolder = v;
         return std::string();
     }},
    {nullptr, "--list", nullptr, "FILE", "a file",
     "rows of tab-separated text as the list exports them: path, title,\n"
     "output name, interval; empty titles and names take the defaults",
     [](Options& o, const std::string& v) {
         o.lists.push_back(v);
         return std::string();
     }},
    {nullptr, "--preset", nullptr, "NAME", "a preset name",
     "use Latest, PresetA, PresetB, PresetC or PresetD",
     [](Options& o, const std::string& v) {
         o.preset = v;
         return std::string();
     }},
    {nullptr, "--copyright", nullptr, "TEXT", "a text",
     "copyright text for this run (the stored one otherwise)",
     [](Options& o, const std::string& v) {
         o.copyright = v;
         return std::string();
     }},
    {nullptr, "--save", nullptr, nullptr, nullptr,
     "store the settings, after preset, switches, --targets and --volume,\n"
     "as the current settings (as closing the window does); nothing else\n"
     "is stored unless asked, but the output folder",
     [](Options& o, const std::string&) {
         o.save = true;
         return std::string();
     }},
    {nullptr, "--lang", nullptr, "ja|en", "ja or en",
     "language of the results and messages (default: Japanese under a\n"
     "Japanese locale, else English)",
     [](Options& o, const std::string& v) {
         if (v == "ja")
             o.language = cw::Language::japanese;
         else if (v == "en")
             o.language = cw::Language::english;
         else
             return "--lang takes ja or en, not \"" + v + "\"";
         return std::string();
     }},
    {nullptr, "-h, --help", nullptr, nullptr, nullptr, "this text",
     [](Options& o, const std::string&) { return setMode(o, Options::Mode::help); }},
    {nullptr, "--version", nullptr, nullptr, nullptr, "the suite's version",
     [](Options& o, const std::string&) { return setMode(o, Options::Mode::version); }},

    {"targets and volumes for this run (names and options as the window shows them, any case):",
     "--targets", nullptr, "LIST", "a list of targets",
     "comma-separated NAME[:OPTION][:unlimited]; exactly these targets are\n"
     "made; a NAME alone keeps its stored options, Unlimited included;\n"
     "with options, Unlimited is on only when \":unlimited\" is given;\n"
     "\"all\" is every target",
     [](Options& o, const std::string& v) {
         o.targetsGiven = true;
         return parseTargetList(v, o.targets);
     }},
    {nullptr, "--volume", nullptr, "NAME=PERCENT", "NAME=PERCENT",
     "volume of a target, 1 to 100 (repeatable); normalize=PERCENT sets\n"
     "the normalisation level",
     [](Options& o, const std::string& v) {
         VolumeChoice choice;
         std::string problem = parseVolume(v, choice);
         if (problem.empty()) o.volumes.push_back(choice);
         return problem;
     }},
    {nullptr, "--list-targets", nullptr, nullptr, nullptr,
     "show every target as this run would make it (after preset,\n"
     "switches, --targets and --volume) and convert nothing; the size\n"
     "limit is in ADPCM bytes per channel for MFi, in bytes for SMAF",
     [](Options& o, const std::string&) { return setMode(o, Options::Mode::listTargets); }},

    {"large batches (docs/batch-jobs-and-report.md has the report's forms):", "--jobs",
     nullptr, "N", "a number",
     "convert N rows at once (default 1; 0: one per core), each worker\n"
     "in a folder job1, job2, ... of the working folder; results are\n"
     "printed in row order and the files are those of one worker",
     [](Options& o, const std::string& v) { return applyJobs(o.extras, v); }},
    {nullptr, "--report", nullptr, "FORMAT", nullptr,
     "after the batch, for every row and target: the file, its size\n"
     "against its limit, its playing time and how close it sounds to\n"
     "its source (SNR and correlation per channel); FORMAT is text\n"
     "(the default) or json",
     [](Options& o, const std::string& v) { return applyReport(o.extras, v); }, true},
    {nullptr, "--report-file", nullptr, "FILE", "a file",
     "write the report to FILE instead of standard output",
     [](Options& o, const std::string& v) { return applyReportFile(o.extras, v); }},

    {"--render-temp FILE renders only the temporary WAV files of FILE into the work folder:",
     "--render-temp", nullptr, nullptr, nullptr, "convert nothing else",
     [](Options& o, const std::string&) { return setMode(o, Options::Mode::renderTemp); }},
    {nullptr, "--level", nullptr, "L", "a number of 0 or more", "normalisation level (default 1)",
     [](Options& o, const std::string& v) {
         char* end = nullptr;
         o.level = std::strtod(v.c_str(), &end);
         o.levelGiven = true;
         if (v.empty() || *end != '\0' || !(o.level >= 0))
             return std::string("--level needs a number of 0 or more");
         return std::string();
     }},
    {nullptr, "--normoff", nullptr, nullptr, nullptr, "no normalisation",
     [](Options& o, const std::string&) {
         o.level = -1.0;
         o.levelGiven = true;
         return std::string();
     }},
};

bool isOption(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-';
}

bool named(const OptionSpec& entry, std::string_view argument) {
    std::string_view names = entry.names;
    for (;;) {
        const std::size_t comma = names.find(", ");
        if (names.substr(0, comma) == argument) return true;
        if (comma == std::string_view::npos) break;
        names.remove_prefix(comma + 2);
    }
    return entry.hidden && argument == entry.hidden;
}

constexpr std::size_t helpColumn = 21;
constexpr std::size_t lineWidth = 90;

std::string optionHelp() {
    std::string text;
    for (const OptionSpec& entry : optionTable) {
        if (entry.heading) text.append("\n").append(entry.heading).append("\n");
        std::string left = std::string("  ") + entry.names;
        if (entry.value && entry.valueAfterEqualsOnly)
            left.append("[=").append(entry.value).append("]");
        else if (entry.value)
            left.append(" ").append(entry.value);
        left.append(left.size() + 2 > helpColumn ? "\n" + std::string(helpColumn, ' ')
                                                 : std::string(helpColumn - left.size(), ' '));
        text += left;
        for (char c : std::string_view(entry.help)) {
            text.push_back(c);
            if (c == '\n') text.append(helpColumn, ' ');
        }
        text.push_back('\n');
    }
    return text;
}

// The formats beside WAVE that the installed decoder reads, wrapped to the line width.
std::string formatsHelp() {
    const std::vector<std::string> formats = platform::soundFileFormats();
    if (formats.empty())
        return "Input: WAVE files, PCM or compressed with a codec the system has installed.\n";
    std::string text = "Input: WAVE files, PCM or compressed with a codec " +
                       platform::soundFileDecoder() +
                       " decodes, and every other\nsound file format that it reads:";
    std::size_t column = text.size() - text.rfind('\n') - 1;
    for (std::size_t i = 0; i < formats.size(); ++i) {
        std::string item = " " + formats[i];
        if (formats[i].rfind("MPEG", 0) == 0) item += " (MP3)";
        item += i + 1 < formats.size() ? "," : ".";
        if (column + item.size() > lineWidth) {
            text += "\n ";
            column = 1;
        }
        text += item;
        column += item.size();
    }
    return text + "\n";
}

} // namespace

std::string usageText() {
    return "usage: chimewright [switches] [options] FILE...\n"
           "       chimewright [switches] [--preset NAME] [--targets LIST] [--volume "
           "NAME=PERCENT]\n"
           "                   --list-targets\n"
           "       chimewright --render-temp [--work-dir DIR] [--level L | --normoff] FILE\n"
           "\n"
           "Converts every FILE (and every row of the --list files) into one ringtone file per\n"
           "enabled target, under OUTPUT/<target>/<name>.<ext>. Targets, volumes and options come\n"
           "from the settings file (\"ferrowind.ini\" in $WINDIR when it is set, else in\n"
           "$XDG_CONFIG_HOME/chimewright or ~/.config/chimewright), unless --targets and --volume\n"
           "give them for this run. A row's title and output name are its file name up to the\n"
           "first dot.\n"
           "\n" +
           formatsHelp() +
           "\n"
           "switches (before the first FILE, each one argument, any case):\n"
           "  /v<n>            normalisation level n/100 (n > 0)\n"
           "  /mmf6ksz<n>      SMAF size budget in bytes (n >= 1)\n"
           "  /loop, /noloop   loop flag of the MFi files on or off\n"
           "  /maxmld<n>       size limit for targets with \"Unlimited\" (1 <= n < 800000)\n"
           "  /normoff         normalisation off\n"
           "  /displine<n>     accepted; the console has no list window\n" +
           optionHelp() +
           "\n"
           "  --                 every later argument is a FILE\n"
           "\n"
           "The QCP target is made by the outside converter \"PVConv.exe\" when it lies beside\n"
           "chimewright (20 s at most); without it no QCP file is made.\n"
           "\n"
           "examples:\n"
           "  chimewright -o out --targets n505:16kStereo,mmf:8kHz:unlimited,Andr tone.flac\n"
           "  chimewright --targets all --volume n505=80 --volume normalize=90 -o out a.wav b.mp3\n"
           "  chimewright --targets p903:16kHz:unlimited,Andr --save --list-targets\n"
           "  chimewright --lang en -o out ring.ogg\n"
           "  chimewright --jobs 2 --report=json --report-file report.json -o out *.wav\n"
           "\n"
           "Prints each row's result as the list shows it (\"◎\" for success; \"OK\" and English\n"
           "texts unless the locale or --lang is Japanese). When standard input is a terminal and\n"
           "a row failed, asks whether to retry the rows that failed.\n"
           "Exit status: 0 every row succeeded, 1 a row failed or there was nothing to convert,\n"
           "2 bad usage.\n";
}

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
        const OptionSpec* entry = nullptr;
        for (const OptionSpec& candidate : optionTable)
            if (named(candidate, argument)) entry = &candidate;
        if (!entry) return "unknown option " + argument;

        std::string value;
        if (entry->valueAfterEqualsOnly) {
            value = inlineValue.value_or(""); // the next argument is never taken: it may be a FILE
        } else if (entry->value) {
            if (inlineValue)
                value = *inlineValue;
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            else
                return argument + " needs " + entry->needs;
        } else if (inlineValue) {
            return argument + " takes no value";
        }
        if (std::string problem = entry->apply(options, value); !problem.empty()) return problem;
        if (options.mode == Options::Mode::help || options.mode == Options::Mode::version)
            return {};
    }

    const bool runSettingsGiven = options.targetsGiven || !options.volumes.empty();
    if (options.mode == Options::Mode::renderTemp) {
        if (options.files.size() != 1) return "--render-temp takes one input file";
        if (!options.switches.empty() || options.output || !options.lists.empty() ||
            options.preset || options.copyright || options.save || runSettingsGiven ||
            options.extras.any())
            return "--render-temp takes only --work-dir, --level and --normoff";
        return {};
    }
    if (options.levelGiven)
        return "--level and --normoff belong to --render-temp (use /v<n> or /normoff)";
    if (options.mode == Options::Mode::listTargets) {
        if (!options.files.empty() || !options.lists.empty())
            return "--list-targets converts nothing: leave out the files";
        return {};
    }
    if (options.files.empty() && options.lists.empty() && !options.save) return "no input files";
    return {};
}

} // namespace cw::cli
