#include "platform/process.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace platform {

struct ChildProcess::State {
    pid_t pid = -1;
    bool ended = false;
    int waitStatus = 0;
};

namespace {

// A Windows executable begins with the two bytes "MZ".
bool isWindowsProgram(const Path& program) {
    File file = openForRead(program);
    char magic[2] = {};
    auto got = file.read(magic, sizeof magic);
    return got && *got == 2 && magic[0] == 'M' && magic[1] == 'Z';
}

// The first executable file of that name in a folder of PATH, or nothing.
std::optional<std::string> findOnSearchPath(const char* name) {
    const char* path = std::getenv("PATH");
    if (!path) return std::nullopt;
    std::string folders = path;
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos) end = folders.size();
        std::string candidate = end > begin ? folders.substr(begin, end - begin) : ".";
        candidate.append("/").append(name);
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        begin = end + 1;
    }
    return std::nullopt;
}

} // namespace

ChildProcess::ChildProcess() : state_(std::make_unique<State>()) {}

ChildProcess::~ChildProcess() {
    if (state_ && state_->pid > 0 && !state_->ended) terminate();
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : state_(std::exchange(other.state_, std::make_unique<State>())) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        if (state_->pid > 0 && !state_->ended) terminate();
        state_ = std::exchange(other.state_, std::make_unique<State>());
    }
    return *this;
}

ChildProcess ChildProcess::start(const ProcessStart& how) {
    ChildProcess child;

    // Everything the new process needs is made before the fork: after it, only calls that
    // are safe in a forked copy of a threaded program may run.
    std::vector<std::string> words;
    if (isWindowsProgram(how.program)) {
        std::optional<std::string> wine = findOnSearchPath("wine");
        if (!wine) return child;
        words.push_back(*wine);
    }
    words.push_back(how.program.string());
    words.insert(words.end(), how.arguments.begin(), how.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string folder = how.currentFolder.string();

    // The child reports a failed exec through this pipe; a successful exec closes it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) return child;

    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return child;
    }
    if (pid == 0) {
        ::close(report[0]);
        int error = 0;
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) error = errno;
        if (!error && how.quiet) {
            const int null = ::open("/dev/null", O_RDWR);
            if (null >= 0) {
                ::dup2(null, 0);
                ::dup2(null, 1);
                ::dup2(null, 2);
                if (null > 2) ::close(null);
            }
        }
        if (!error) {
            ::execv(argv[0], argv.data());
            error = errno;
        }
        ssize_t ignored = ::write(report[1], &error, sizeof error);
        (void)ignored;
        ::_exit(127);
    }

    ::close(report[1]);
    int error = 0;
    ssize_t got;
    do {
        got = ::read(report[0], &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    ::close(report[0]);

    child.state_->pid = pid;
    if (got > 0) {
        // The exec failed: collect the copy that stayed behind and report no start.
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        child.state_->pid = -1;
    }
    return child;
}

bool ChildProcess::started() const { return state_->pid > 0; }

unsigned long ChildProcess::id() const {
    return state_->pid > 0 ? static_cast<unsigned long>(state_->pid) : 0;
}

bool ChildProcess::waitForInputIdle(int) { return true; }

bool ChildProcess::reap() {
    State& state = *state_;
    if (state.ended) return true;
    if (state.pid <= 0) return false;
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(state.pid, &status, WNOHANG);
    } while (done < 0 && errno == EINTR);
    if (done == state.pid) {
        state.ended = true;
        state.waitStatus = status;
    } else if (done < 0) {
        // Someone else collected it: it has ended, with no status to tell.
        state.ended = true;
        state.waitStatus = SIGKILL;
    }
    return state.ended;
}

bool ChildProcess::waitForExit(int milliseconds) {
    if (!started()) return false;
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::milliseconds(std::max(milliseconds, 0));
    // There is no waitpid with a time limit: look often enough that a child which ends
    // quickly is noticed quickly.
    while (!reap()) {
        const auto now = clock::now();
        if (now >= deadline) return false;
        std::this_thread::sleep_for(std::min<clock::duration>(deadline - now,
                                                              std::chrono::milliseconds(5)));
    }
    return true;
}

std::optional<int> ChildProcess::exitStatus() {
    if (!reap()) return std::nullopt;
    if (!WIFEXITED(state_->waitStatus)) return std::nullopt;
    return WEXITSTATUS(state_->waitStatus);
}

void ChildProcess::terminate() {
    if (!started() || reap()) return;
    ::kill(state_->pid, SIGKILL);
    int status = 0;
    pid_t done;
    do {
        done = ::waitpid(state_->pid, &status, 0);
    } while (done < 0 && errno == EINTR);
    state_->ended = true;
    state_->waitStatus = done == state_->pid ? status : SIGKILL;
}

} // namespace platform
