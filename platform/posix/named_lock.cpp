#include "platform/named_lock.hpp"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The lock file of a name: readable characters of the name kept for people who look, and a
// hash of the whole name so that long or similar names stay apart.
std::string lockFilePath(const std::string& name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    std::string readable;
    for (unsigned char c : name) {
        if (readable.size() >= 80) break;
        const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                           (c >= 'a' && c <= 'z') || c == '.' || c == '-' || c == '_';
        readable.push_back(plain ? static_cast<char>(c) : '_');
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));

    std::string folder = "/tmp";
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        struct stat info {};
        if (runtime[0] == '/' && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode))
            folder = runtime;
    }
    return folder + "/chimewright-lock-" + readable + "-" + digits;
}

// One per name and process, shared by every NamedLock of that name in the process: the
// advisory lock on the file is the process's, the recursive mutex sorts out its threads.
struct Shared {
    int fd = -1;
    std::recursive_mutex threads;
    int depth = 0; // nesting of the thread that holds `threads`
    int users = 0;
};

std::mutex registryMutex;
std::map<std::string, std::unique_ptr<Shared>>& registry() {
    static std::map<std::string, std::unique_ptr<Shared>> names;
    return names;
}

bool lockFile(int fd, bool wait) {
    for (;;) {
        if (::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) == 0) return true;
        if (errno != EINTR) return false;
    }
}

} // namespace

struct NamedLock::State {
    std::string name;
    Shared* shared = nullptr;
};

NamedLock::NamedLock(const std::string& name) : state_(std::make_unique<State>()) {
    state_->name = name;
    std::lock_guard<std::mutex> hold(registryMutex);
    auto found = registry().find(name);
    if (found != registry().end()) {
        state_->shared = found->second.get();
        ++state_->shared->users;
        return;
    }
    const std::string path = lockFilePath(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return;
    auto shared = std::make_unique<Shared>();
    shared->fd = fd;
    shared->users = 1;
    state_->shared = shared.get();
    registry()[name] = std::move(shared);
}

NamedLock::~NamedLock() {
    if (!state_->shared) return;
    std::lock_guard<std::mutex> hold(registryMutex);
    if (--state_->shared->users > 0) return;
    ::close(state_->shared->fd); // also drops the advisory lock
    registry().erase(state_->name);
}

bool NamedLock::valid() const { return state_->shared != nullptr; }

void NamedLock::lock() {
    Shared* shared = state_->shared;
    if (!shared) return;
    shared->threads.lock();
    if (shared->depth++ == 0) lockFile(shared->fd, true);
}

bool NamedLock::tryLock() {
    Shared* shared = state_->shared;
    if (!shared) return true;
    if (!shared->threads.try_lock()) return false;
    if (shared->depth == 0 && !lockFile(shared->fd, false)) {
        shared->threads.unlock();
        return false;
    }
    ++shared->depth;
    return true;
}

void NamedLock::unlock() {
    Shared* shared = state_->shared;
    if (!shared) return;
    if (--shared->depth == 0) ::flock(shared->fd, LOCK_UN);
    shared->threads.unlock();
}

} // namespace platform
