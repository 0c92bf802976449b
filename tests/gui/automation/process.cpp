#include "tests/gui/automation/process.hpp"

#include "tests/gui/automation/text.hpp"

#include <map>

namespace gui_test {

namespace {

// Names compare without case in a Windows environment block.
struct NoCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    }
};

using Environment = std::map<std::wstring, std::wstring, NoCase>;

Environment currentEnvironment() {
    Environment env;
    wchar_t* block = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
        const std::wstring line = entry;
        const std::size_t equals = line.find(L'=', 1); // "=C:" entries start with '='
        if (equals == std::wstring::npos) continue;
        env[line.substr(0, equals)] = line.substr(equals + 1);
    }
    ::FreeEnvironmentStringsW(block);
    return env;
}

std::wstring environmentBlock(const Environment& env) {
    std::wstring block;
    for (const auto& [name, value] : env) {
        block += name + L"=" + value;
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

} // namespace

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
        // Backslashes count only before a quote: 2n stand for n, 2n + 1 for n and a quote.
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(2 * backslashes, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

Process Process::launch(const LaunchOptions& options) {
    const std::wstring program = options.program.wstring();
    std::wstring commandLine = L"\"" + program + L"\"";
    if (options.rawArguments) {
        if (!options.rawArguments->empty()) commandLine += L" " + *options.rawArguments;
    } else {
        for (const std::wstring& argument : options.arguments)
            commandLine += L" " + quoteArgument(argument);
    }

    Environment env = currentEnvironment();
    for (const auto& [name, value] : options.environment)
        env[name] = value;
    std::wstring block = environmentBlock(env);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(options.show);
    PROCESS_INFORMATION info{};
    const std::wstring folder = options.workingDir.wstring();
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_UNICODE_ENVIRONMENT, block.data(),
                          folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        throw AutomationError("cannot start " + toUtf8(program) + " (error " +
                              std::to_string(::GetLastError()) + ")");
    ::CloseHandle(info.hThread);
    Process process;
    process.process_ = info.hProcess;
    process.id_ = info.dwProcessId;
    return process;
}

Process Process::open(DWORD processId) {
    const HANDLE handle = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION,
                                        FALSE, processId);
    if (!handle)
        throw AutomationError("cannot open process " + std::to_string(processId) + " (error " +
                              std::to_string(::GetLastError()) + ")");
    Process process;
    process.process_ = handle;
    process.id_ = processId;
    return process;
}

Process::~Process() {
    if (!process_) return;
    terminate();
    ::CloseHandle(process_);
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(std::exchange(other.id_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Process old(std::move(*this));
        process_ = std::exchange(other.process_, nullptr);
        id_ = std::exchange(other.id_, 0);
    }
    return *this;
}

bool Process::running() const {
    return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool Process::waitForInputIdle(Milliseconds timeout) const {
    return process_ && ::WaitForInputIdle(process_, static_cast<DWORD>(timeout.count())) == 0;
}

bool Process::waitForExit(Milliseconds timeout) const {
    return process_ &&
           ::WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD Process::waitForExitCode(Milliseconds timeout) const {
    if (!waitForExit(timeout))
        throw AutomationError("process " + std::to_string(id_) + " still runs after " +
                              std::to_string(timeout.count()) + " ms");
    return *exitCode();
}

std::optional<DWORD> Process::exitCode() const {
    DWORD code = 0;
    if (running() || !process_ || !::GetExitCodeProcess(process_, &code)) return std::nullopt;
    return code;
}

void Process::terminate() const {
    if (!running()) return;
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 5000);
}

void Process::detach() {
    if (process_) ::CloseHandle(process_);
    process_ = nullptr;
    id_ = 0;
}

} // namespace gui_test
