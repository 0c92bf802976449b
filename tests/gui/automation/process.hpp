// The program under test, started as a separate process and ended at the latest when its
// Process object goes away (so a failed test leaves no window behind for the next one).
#pragma once

#include "tests/gui/automation/wait.hpp"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace gui_test {

struct LaunchOptions {
    std::filesystem::path program{};
    std::vector<std::wstring> arguments{}; // quoted for the command line where needed
    // The command line after the program, as it stands (for tests of a program's own
    // quoting); used instead of `arguments` when set.
    std::optional<std::wstring> rawArguments{};
    std::filesystem::path workingDir{}; // empty: the test's current folder
    int show = SW_SHOWNORMAL;           // STARTUPINFO's wShowWindow, e.g. SW_SHOWMINNOACTIVE
    // Extra environment variables for the child (name, value); the rest is inherited. (The
    // interface language is not one of them under Wine: a child always gets its parent's;
    // see interfaceLanguageIsJapanese() in environment.hpp.)
    std::vector<std::pair<std::wstring, std::wstring>> environment{};
};

class Process {
  public:
    Process() = default;
    // Throws AutomationError when the program cannot be started.
    static Process launch(const LaunchOptions& options);
    // A process the program under test started (its id from WindowInfo::processId, for
    // instance), to wait for it and to end it with this object like a launched one. Throws
    // AutomationError when it cannot be opened.
    static Process open(DWORD processId);
    ~Process(); // terminates a process still running
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }
    bool running() const;

    // WaitForInputIdle: true once the program waits for input with none pending.
    bool waitForInputIdle(Milliseconds timeout = defaultTimeout) const;
    // True once the process has ended.
    bool waitForExit(Milliseconds timeout = defaultTimeout) const;
    // Throws AutomationError when it has not ended in time.
    DWORD waitForExitCode(Milliseconds timeout = defaultTimeout) const;
    // The exit code of an ended process; nothing while it runs.
    std::optional<DWORD> exitCode() const;
    // Ends the process by force (exit code 1) and waits for it. Nothing when it has ended.
    void terminate() const;
    // Gives up ownership: the process is no longer ended with this object.
    void detach();

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The command-line form of one argument, as CommandLineToArgvW and the C runtime split it.
std::wstring quoteArgument(const std::wstring& argument);

} // namespace gui_test
