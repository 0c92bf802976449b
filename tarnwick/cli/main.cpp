// tarnwick's console program: the conversion of a dropped file, with the title dialog's
// fields given as options.
#include "platform/command_line.hpp"
#include "platform/named_lock.hpp"
#include "platform/text.hpp"
#include "shared/suite_version.hpp"
#include "shared/tarnwick_console.hpp"
#include "tarnwick/cli/console_options.hpp"
#include "tarnwick/cli/console_port.hpp"
#include "tarnwick/engine/conversion.hpp"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    ::SetConsoleOutputCP(CP_UTF8); // the messages are UTF-8 text
#endif
    std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    if (!arguments.empty()) arguments.erase(arguments.begin()); // the program itself

    tarnwick::cli::Options options;
    const std::string problem = tarnwick::cli::parseOptions(arguments, options);
    if (options.help) {
        std::fputs(tarnwick::cli::usage, stdout);
        return suite::tarnwickExit::converted;
    }
    if (options.version) {
        std::printf("tarnwick %s\n", suite::version);
        return suite::tarnwickExit::converted;
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\n\n%s", tarnwick::cli::programName, problem.c_str(),
                     tarnwick::cli::usage);
        return suite::tarnwickExit::usage;
    }

    // One instance at a time, as the window program: a second one ends at once, silently.
    // A lock the system will not make counts as taken.
    platform::NamedLock instance(suite::tarnwickInstanceLock);
    if (!instance.valid() || !instance.tryLock()) return suite::tarnwickExit::otherInstance;

    tarnwick::cli::ConsolePort port(options);
    const tarnwick::ConversionEnd end =
        tarnwick::convertDroppedFile(platform::pathFromUtf8(options.file), port);
    instance.unlock();
    return end == tarnwick::ConversionEnd::converted ? suite::tarnwickExit::converted
                                                     : suite::tarnwickExit::failed;
}
