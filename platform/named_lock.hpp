// A lock that processes share by name: every NamedLock made with the same name, in this
// process or another, guards the same thing. The thread that holds it may take it again
// (each lock() then needs its own unlock()); other threads and processes wait.
//
// Windows: a named mutex. POSIX: an advisory lock on a small file in the user's runtime
// folder (or /tmp), plus a per-process recursive mutex, since advisory file locks know
// processes, not threads.
#pragma once

#include <memory>
#include <string>

namespace platform {

class NamedLock {
public:
    explicit NamedLock(const std::string& name);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // False when the system would not make the lock; lock() and unlock() then do nothing,
    // so callers carry on unguarded rather than stop.
    bool valid() const;

    // Waits as long as it takes.
    void lock();
    // Takes the lock only if nobody else holds it.
    bool tryLock();
    void unlock();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Holds a NamedLock for one scope.
class NamedLockGuard {
public:
    explicit NamedLockGuard(NamedLock& lock) : lock_(lock) { lock_.lock(); }
    ~NamedLockGuard() { lock_.unlock(); }
    NamedLockGuard(const NamedLockGuard&) = delete;
    NamedLockGuard& operator=(const NamedLockGuard&) = delete;

private:
    NamedLock& lock_;
};

} // namespace platform
