// chimewright's console program.
#include "chimewright/cli/batch_command.hpp"
#include "chimewright/cli/console_options.hpp"
#include "chimewright/cli/render_temp.hpp"
#include "chimewright/cli/terminal.hpp"
#include "platform/command_line.hpp"
#include "shared/suite_version.hpp"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    cw::cli::useUtf8Output();
    std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    if (!arguments.empty()) arguments.erase(arguments.begin()); // the program itself
    cw::cli::Options options;
    const std::string problem = cw::cli::parseOptions(arguments, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "chimewright: %s\n\n%s", problem.c_str(),
                     cw::cli::usageText().c_str());
        return 2;
    }
    switch (options.mode) {
    case cw::cli::Options::Mode::help:
        std::fputs(cw::cli::usageText().c_str(), stdout);
        return 0;
    case cw::cli::Options::Mode::version: std::printf("chimewright %s\n", suite::version); return 0;
    case cw::cli::Options::Mode::renderTemp: return cw::cli::renderTemp(options);
    case cw::cli::Options::Mode::batch:
    case cw::cli::Options::Mode::listTargets: break;
    }
    return cw::cli::runBatchCommand(options);
}
