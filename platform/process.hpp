// Child processes: start one, wait for it a while, read its exit status, end it by force.
// Two implementations: posix/ and win32/.
#pragma once

#include "platform/files.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProcessStart {
    Path program;
    std::vector<std::string> arguments; // UTF-8, after the program itself
    Path currentFolder;                 // empty: the caller's current folder
    // Standard input, output and error go nowhere, and no console window shows (the child
    // is a console program whose output the caller does not want in its own).
    bool quiet = false;
};

// One started child. Moves, never copies. A child still running when its ChildProcess goes
// away is terminated, so no process outlives the call that started it.
class ChildProcess {
public:
    ChildProcess();
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Windows: the command line is the program in double quotes, then the arguments, each
    // quoted only when it must be. POSIX: a Windows program (a file that begins with "MZ")
    // is started through Wine when Wine is on the search path. Not started() on failure.
    static ChildProcess start(const ProcessStart& how);

    bool started() const;
    // Waits at most `milliseconds` for the child to end; true once it has ended.
    bool waitForExit(int milliseconds);
    // The exit status of an ended child; nothing while it runs, or when it has no status
    // (POSIX: it was ended by a signal).
    std::optional<int> exitStatus();
    // Ends the child by force and waits for it.
    void terminate();
    // The system's number for the child (0 when it was not started).
    unsigned long id() const;
    // Windows: waits at most `milliseconds` until the child waits for input with nothing to
    // do; false when it did not get there in time. POSIX: true at once.
    bool waitForInputIdle(int milliseconds);

private:
    struct State;
    std::unique_ptr<State> state_;
    // True once the child has ended; collects its status the first time.
    bool reap();
};

} // namespace platform
