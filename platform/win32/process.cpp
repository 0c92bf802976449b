#include "platform/process.hpp"

#include "platform/win32/wide_text.hpp"

#include <utility>
#include <windows.h>

namespace platform {

struct ChildProcess::State {
    HANDLE process = nullptr;
    DWORD id = 0;
};

namespace {

// The splitting rules of the C runtime and CommandLineToArgvW: inside double quotes,
// backslashes count only before a quote, where 2n of them stand for n and 2n + 1 for n
// followed by a literal quote.
std::wstring quoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') quoted.append(2 * backslashes + 1, L'\\');
        else quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\'); // the closing quote follows them
    quoted.push_back(L'"');
    return quoted;
}

} // namespace

ChildProcess::ChildProcess() : state_(std::make_unique<State>()) {}

ChildProcess::~ChildProcess() {
    if (state_ && state_->process) terminate();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : state_(std::exchange(other.state_, std::make_unique<State>())) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        if (state_->process) terminate();
        state_ = std::exchange(other.state_, std::make_unique<State>());
    }
    return *this;
}

ChildProcess ChildProcess::start(const ProcessStart& how) {
    ChildProcess child;
    const std::wstring program = how.program.native();
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::string& argument : how.arguments)
        commandLine += L" " + quoteArgument(utf8ToWide(argument));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    if (how.quiet) {
        // No standard handles at all: without this the child is handed our handle values,
        // and under Wine our redirected output no longer reaches its file.
        startup.dwFlags |= STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = nullptr;
        startup.hStdError = nullptr;
    }
    PROCESS_INFORMATION info{};
    const std::wstring folder = how.currentFolder.native();
    const DWORD flags = NORMAL_PRIORITY_CLASS | (how.quiet ? CREATE_NO_WINDOW : 0);
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                          nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return child;
    ::CloseHandle(info.hThread);
    child.state_->process = info.hProcess;
    child.state_->id = info.dwProcessId;
    return child;
}

bool ChildProcess::started() const { return state_->process != nullptr; }

unsigned long ChildProcess::id() const { return state_->process ? state_->id : 0; }

bool ChildProcess::waitForInputIdle(int milliseconds) {
    if (!state_->process) return false;
    const DWORD wait = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
    return ::WaitForInputIdle(state_->process, wait) == 0;
}

bool ChildProcess::reap() {
    return state_->process && ::WaitForSingleObject(state_->process, 0) == WAIT_OBJECT_0;
}

bool ChildProcess::waitForExit(int milliseconds) {
    if (!state_->process) return false;
    const DWORD wait = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
    return ::WaitForSingleObject(state_->process, wait) == WAIT_OBJECT_0;
}

std::optional<int> ChildProcess::exitStatus() {
    if (!reap()) return std::nullopt;
    DWORD code = 0;
    if (!::GetExitCodeProcess(state_->process, &code)) return std::nullopt;
    return static_cast<int>(code);
}

void ChildProcess::terminate() {
    if (!state_->process) return;
    if (!reap()) {
        ::TerminateProcess(state_->process, 1);
        ::WaitForSingleObject(state_->process, 5000);
    }
    ::CloseHandle(state_->process);
    state_->process = nullptr;
}

} // namespace platform
