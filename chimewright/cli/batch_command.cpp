#include "chimewright/cli/batch_command.hpp"

#include "chimewright/app/batch.hpp"
#include "chimewright/app/command_line.hpp"
#include "chimewright/app/file_list.hpp"
#include "chimewright/app/list_text.hpp"
#include "chimewright/app/presets.hpp"
#include "chimewright/app/settings_file.hpp"
#include "chimewright/app/trace_log.hpp"
#include "chimewright/app/user_text.hpp"
#include "chimewright/cli/batch_extras_run.hpp"
#include "chimewright/cli/console_port.hpp"
#include "chimewright/cli/work_folder.hpp"
#include "chimewright/cli/target_listing.hpp"
#include "platform/files.hpp"
#include "platform/text.hpp"
#include "platform/ui_language.hpp"

#include <cstdio>
#include <system_error>

namespace cw::cli {

namespace {

int usageProblem(const std::string& why) {
    std::fprintf(stderr, "chimewright: %s\n", why.c_str());
    return 2;
}

// Rows keep working after the conversion has changed the current folder.
std::string absolute(const std::string& path) {
    std::error_code ec;
    platform::Path full = std::filesystem::absolute(platform::pathFromUtf8(path), ec);
    return ec ? path : platform::pathToUtf8(full.lexically_normal());
}

std::string joined(const std::vector<std::string>& parts) {
    std::string line;
    for (const std::string& part : parts) line += (line.empty() ? "" : " ") + part;
    return line;
}

// Rows of the --list files, then the files named on the command line as if dropped.
// Empty on success, else what went wrong.
std::string collectRows(const Options& options, cw::FileList& list) {
    std::vector<cw::FileRow> rows;
    for (const std::string& name : options.lists) {
        auto bytes = platform::readWholeFile(platform::pathFromUtf8(name));
        if (!bytes) return "cannot read the list " + name;
        for (cw::FileRow& row : cw::parseListText(cw::textFromFile(*bytes))) {
            if (row.title.empty()) row.title = cw::titleFromPath(row.path);
            if (row.outputName.empty()) row.outputName = row.title;
            row.path = absolute(row.path);
            rows.push_back(std::move(row));
        }
    }
    cw::WorkerSlot idle;
    cw::replaceRows(list, std::move(rows), idle);
    std::vector<std::string> files;
    for (const std::string& file : options.files) files.push_back(absolute(file));
    cw::addDroppedFiles(list, files, idle);
    return {};
}

} // namespace

int runBatchCommand(const Options& options) {
    const platform::Path settingsFile = cw::settingsFilePath();

    cw::SettingsState state;
    cw::readUserCopyright(state, settingsFile);
    cw::loadSettings(state, settingsFile, "");
    if (options.preset && !cw::loadPreset(state, settingsFile, *options.preset))
        return usageProblem("unknown preset " + *options.preset +
                            " (Latest, PresetA, PresetB, PresetC, PresetD)");
    cw::parseCommandLine(state, platform::utf8ToCp932(joined(options.switches)));
    if (options.targetsGiven) applyTargetChoices(state, options.targets);
    applyVolumeChoices(state, options.volumes);
    if (options.copyright) cw::setCopyright(state, *options.copyright);
    if (options.save) cw::saveSettings(cw::asWindowShowsIt(state), settingsFile, "");

    if (options.mode == Options::Mode::listTargets) {
        std::string folder = options.output ? absolute(*options.output)
                                            : cw::readOutputFolder(settingsFile);
        if (folder.empty()) folder = platform::pathToUtf8(platform::currentFolder());
        std::fputs(targetListing(state, folder).c_str(), stdout);
        return 0;
    }

    cw::FileList list;
    if (std::string problem = collectRows(options, list); !problem.empty())
        return usageProblem(problem);
    if (options.files.empty() && options.lists.empty()) return 0; // only --save was asked

    const platform::Path work = options.workFolder ? platform::pathFromUtf8(*options.workFolder)
                                                   : defaultWorkFolder();
    std::error_code ec;
    std::filesystem::create_directories(work, ec);
    if (!std::filesystem::is_directory(work, ec)) {
        std::fprintf(stderr, "chimewright: cannot use the folder %s\n",
                     platform::pathToUtf8(work).c_str());
        return 1;
    }
    cw::startTrace(platform::modulePath()); // a log that cannot be written is no failure

    std::optional<std::string> output;
    if (options.output) output = absolute(*options.output);
    const cw::Language language =
        options.language.value_or(platform::userInterfaceIsJapanese() ? cw::Language::japanese
                                                                      : cw::Language::english);
    ConsolePort port(state, output, language);

    cw::BatchSetup setup;
    setup.settingsFile = settingsFile;
    setup.workFolder = std::filesystem::absolute(work, ec);
    setup.programFolder = platform::moduleFolder(); // tarnwick and PVConv.exe lie beside us
    BatchExtrasRun extras(options.extras, language);
    if (std::string problem = extras.attach(setup, list.rows.size()); !problem.empty()) {
        std::fprintf(stderr, "chimewright: %s\n", problem.c_str());
        return 1;
    }
    cw::WorkerSlot& worker = cw::batchWorker();
    if (!worker.claim(1)) return 1;
    const cw::BatchEnd end = cw::runBatch(list, port, setup, worker);
    const bool reported = extras.finish(end);

    if (end == cw::BatchEnd::failuresLeft) {
        std::size_t failed = 0;
        for (int code : list.results) failed += code != 0;
        std::fprintf(stderr, "chimewright: %llu of %llu files failed\n",
                     static_cast<unsigned long long>(failed),
                     static_cast<unsigned long long>(list.results.size()));
    }
    return end == cw::BatchEnd::allSucceeded && reported ? 0 : 1;
}

} // namespace cw::cli
