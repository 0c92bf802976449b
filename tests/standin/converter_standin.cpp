// A stand-in for the converters that chimewright starts as child processes. Copied into a
// test's folder under the name of the program it stands for, it does what the text file
// beside it, named after itself plus ".how", says, one command a line:
//   args          write its arguments and its current folder, a line each, to <itself>.args
//   copy A B      copy file A to B (paths relative to the current folder)
//   sleep MS      wait MS milliseconds
//   exit N        end with status N
// It ends with status 0 after the last command.
#include "platform/command_line.hpp"
#include "platform/files.hpp"
#include "platform/text.hpp"

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    const std::string self = platform::pathToUtf8(platform::modulePath());
    const std::string how = platform::readWholeFile(platform::pathFromUtf8(self + ".how")).value_or("");

    std::istringstream lines(how);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "args") {
            std::string record;
            for (std::size_t i = 1; i < arguments.size(); ++i) record += arguments[i] + "\n";
            record += platform::pathToUtf8(platform::currentFolder()) + "\n";
            platform::writeWholeFile(platform::pathFromUtf8(self + ".args"), record.data(),
                                     record.size());
        } else if (command == "copy") {
            std::string from, to;
            words >> from >> to;
            platform::copyFile(platform::pathFromUtf8(from), platform::pathFromUtf8(to));
        } else if (command == "sleep") {
            long long ms = 0;
            words >> ms;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        } else if (command == "exit") {
            int status = 0;
            words >> status;
            return status;
        }
    }
    return 0;
}
