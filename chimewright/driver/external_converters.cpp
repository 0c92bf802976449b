#include "chimewright/driver/external_converters.hpp"

#include "chimewright/job/result_codes.hpp"
#include "chimewright/driver/tarnwick_window_route.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "platform/process.hpp"
#include "platform/text.hpp"
#include "shared/tarnwick_console.hpp"

#include <mutex>
#include <vector>

namespace cw {

namespace {

// Waits for the child within the converters' time limit. False when it is still running.
bool waitWithinLimit(platform::ChildProcess& child) {
    for (int poll = 0; poll < converterPolls; ++poll)
        if (child.waitForExit(converterPollMs)) return true;
    return false;
}

// tarnwick keeps to one running instance; conversions on several threads take turns here.
std::mutex tarnwickTurn;

} // namespace

int runTarnwick(const platform::Path& executable, const platform::Path& workFolder,
                const platform::Path& wavPath, const std::string& title, bool fourKHz,
                const std::string& copyright) {
    const std::lock_guard<std::mutex> turn(tarnwickTurn);
#ifdef _WIN32
    // On Windows tarnwick is the window program, driven through its windows.
    return runTarnwickWindows(executable, workFolder, wavPath, title, fourKHz, copyright);
#else
    namespace option = suite::tarnwickOption;
    platform::ProcessStart how;
    how.program = executable;
    how.currentFolder = workFolder;
    how.quiet = true; // its message is for a user at its window, not for our console
    how.arguments = {option::title, title};
    if (!copyright.empty())
        how.arguments.insert(how.arguments.end(), {option::copyright, copyright, option::protect});
    if (fourKHz) how.arguments.push_back(option::halfRate);
    how.arguments.insert(how.arguments.end(), {"--", platform::pathToUtf8(wavPath)});

    platform::ChildProcess child = platform::ChildProcess::start(how);
    if (!child.started()) return result::tarnwickNotStarted;
    if (!waitWithinLimit(child)) {
        child.terminate();
        return result::tarnwickNotEnded;
    }
    const std::optional<int> status = child.exitStatus();
    if (!status) return result::tarnwickNoStatus;
    if (*status == suite::tarnwickExit::otherInstance) return result::tarnwickEndedAtOnce;
    return 0;
#endif
}

bool qcpConverterPresent(const platform::Path& programFolder) {
    return platform::openForRead(programFolder / qcpConverterFileName).isOpen();
}

int runQcpConverter(const platform::Path& programFolder, const platform::Path& workFolder,
                    const platform::Path& qcpOutput) {
    if (!qcpConverterPresent(programFolder)) return 0;
    const platform::Path converter = programFolder / qcpConverterFileName;

    platform::ProcessStart how;
    how.program = converter;
    how.arguments = {std::string(tempfile::latest8k)};
    // Named, not inherited: conversions on other threads may make their own folders current.
    how.currentFolder = workFolder;
    how.quiet = true;
    platform::ChildProcess child = platform::ChildProcess::start(how);
    if (!child.started()) return 0;
    if (!waitWithinLimit(child)) {
        child.terminate();
        return 0;
    }
    copyTempFile(workFolder, tempfile::latest8kQcp, qcpOutput); // no copy, no QCP file
    return 0;
}

} // namespace cw
