// Runs one of the suite's console programs, found beside the test program, with its output
// captured in files (never pipes: under Wine a pipe may be held open by Wine's own processes).
#pragma once

#include "platform/files.hpp"

#include <string>
#include <vector>

namespace e2e {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the console program `program` (a name such as "chimewright") with the arguments,
// standard input from the null device; scratch holds the captured output.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const platform::Path& scratch);
// The same for an executable anywhere (a program copied into a test's folder).
ProgramRun runProgramAt(const platform::Path& executable,
                        const std::vector<std::string>& arguments, const platform::Path& scratch);

// File name of the suite's program `program` on this platform ("chimewright.exe" on Windows).
std::string executableName(const std::string& program);
// File name of a console program: on Windows, where the window program carries the plain
// name, the console one has the suffix "-cli" ("chimewright-cli.exe"), once it has been
// built that way.
std::string consoleProgramName(const std::string& program);

// Sets an environment variable for this process and the programs it starts, and restores
// the earlier value when it goes out of scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::string old_;
    bool wasSet_;
};

} // namespace e2e
