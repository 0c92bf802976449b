#include "tests/e2e/program_runner.hpp"

#include "platform/text.hpp"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace e2e {

namespace {

#ifdef _WIN32
constexpr const char* extension = ".exe";
constexpr const char* nullDevice = "NUL";

// cmd.exe's quoting: every argument in double quotes (none of ours holds one).
std::string quoted(const std::string& text) { return "\"" + text + "\""; }

void setVariable(const std::string& name, const std::string* value) {
    ::_putenv_s(name.c_str(), value ? value->c_str() : "");
}
#else
constexpr const char* extension = "";
constexpr const char* nullDevice = "/dev/null";

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void setVariable(const std::string& name, const std::string* value) {
    if (value) ::setenv(name.c_str(), value->c_str(), 1);
    else ::unsetenv(name.c_str());
}
#endif

} // namespace

std::string executableName(const std::string& program) { return program + extension; }

std::string consoleProgramName(const std::string& program) {
#ifdef _WIN32
    const std::string suffixed = executableName(program + "-cli");
    if (platform::fileExists(platform::moduleFolder() / suffixed)) return suffixed;
#endif
    return executableName(program);
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const platform::Path& scratch) {
    return runProgramAt(platform::moduleFolder() / consoleProgramName(program), arguments, scratch);
}

ProgramRun runProgramAt(const platform::Path& exe, const std::vector<std::string>& arguments,
                        const platform::Path& scratch) {
    const platform::Path out = scratch / "stdout.txt";
    const platform::Path err = scratch / "stderr.txt";
    std::string command = quoted(platform::pathToUtf8(exe));
    for (const std::string& argument : arguments) command.append(" ").append(quoted(argument));
    command.append(" <").append(nullDevice);
    command.append(" >").append(quoted(platform::pathToUtf8(out)));
    command.append(" 2>").append(quoted(platform::pathToUtf8(err)));
#ifdef _WIN32
    // cmd.exe /c drops the first and the last quote of the line.
    command.insert(command.begin(), '"');
    command.push_back('"');
#endif
    ProgramRun run;
    // Old output must not pass for the program's when the command never ran.
    platform::deleteFile(out);
    platform::deleteFile(err);
    int status = std::system(command.c_str());
#ifdef _WIN32
    // -1: the command interpreter itself could not be started (seen under Wine on a busy
    // machine); the program did not run, so it is started once more.
    if (status == -1) status = std::system(command.c_str());
    run.status = status;
#else
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = platform::readWholeFile(out).value_or("");
    run.err = platform::readWholeFile(err).value_or("");
    return run;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name);
    wasSet_ = old != nullptr;
    if (old) old_ = old;
    setVariable(name_, &value);
}

ScopedEnvironment::~ScopedEnvironment() { setVariable(name_, wasSet_ ? &old_ : nullptr); }

} // namespace e2e
