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
    console::useUtf8Output();
    std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    if (!arguments.empty()) arguments.erase(arguments.begin()); // the program itself
    console::Options options;
    const std::string problem = console::parseOptions(arguments, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "chimewright: %s\n\n%s", problem.c_str(),
                     console::usageText().c_str());
        return 2;
    }
    switch (options.mode) {
    case console::Options::Mode::help:
        std::fputs(console::usageText().c_str(), stdout);
        return 0;
    case console::Options::Mode::version: std::printf("chimewright %s\n", suite::version); return 0;
    case console::Options::Mode::renderTemp: return console::renderTemp(options);
    case console::Options::Mode::batch:
    case console::Options::Mode::listTargets: break;
    }
    return console::runBatchCommand(options);
}
