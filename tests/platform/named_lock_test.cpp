#include "platform/named_lock.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <string>
#include <thread>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// Random, so that test runs at the same time on one machine keep apart.
std::string uniqueName(const char* what) {
    static const unsigned run = std::random_device{}();
    return std::string("named-lock-test-") + what + "-" + std::to_string(run);
}

// Asks from another thread whether the lock of that name is free.
bool freeForAnotherThread(const std::string& name) {
    bool taken = false;
    std::thread other([&] {
        platform::NamedLock lock(name);
        taken = lock.tryLock();
        if (taken) lock.unlock();
    });
    other.join();
    return taken;
}

} // namespace

TEST(NamedLock, ReentrantForItsHolderExclusiveForOthers) {
    const std::string name = uniqueName("reentrant");
    platform::NamedLock lock(name);
    ASSERT_TRUE(lock.valid());
    lock.lock();
    lock.lock();
    EXPECT_TRUE(lock.tryLock());
    EXPECT_FALSE(freeForAnotherThread(name));
    lock.unlock();
    lock.unlock();
    EXPECT_FALSE(freeForAnotherThread(name)) << "still held once";
    lock.unlock();
    EXPECT_TRUE(freeForAnotherThread(name));
}

TEST(NamedLock, SameNameIsOneLockOtherNamesAreNot) {
    const std::string name = uniqueName("shared");
    platform::NamedLock first(name);
    platform::NamedLock second(name);
    platform::NamedLock unrelated(name + "-other");
    first.lock();
    EXPECT_FALSE(freeForAnotherThread(name));
    EXPECT_TRUE(freeForAnotherThread(name + "-other"));
    EXPECT_TRUE(second.tryLock()) << "the same thread may take it through another object";
    second.unlock();
    first.unlock();
}

TEST(NamedLock, WaiterGoesOnWhenReleased) {
    const std::string name = uniqueName("waiter");
    platform::NamedLock lock(name);
    lock.lock();
    std::atomic<bool> done{false};
    std::thread waiter([&] {
        platform::NamedLock mine(name);
        mine.lock();
        done = true;
        mine.unlock();
    });
    EXPECT_FALSE(done.load());
    lock.unlock();
    waiter.join();
    EXPECT_TRUE(done.load());
}

#ifndef _WIN32
// Another process that holds the lock keeps this one out until it lets go.
TEST(NamedLock, ExcludesOtherProcesses) {
    const std::string name = uniqueName("process");
    int held[2], release[2];
    ASSERT_EQ(::pipe(held), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::NamedLock lock(name);
        lock.lock();
        char signal = 'h';
        if (::write(held[1], &signal, 1) != 1) ::_exit(1);
        if (::read(release[0], &signal, 1) != 1) ::_exit(1);
        lock.unlock();
        ::_exit(0);
    }
    char signal = 0;
    ASSERT_EQ(::read(held[0], &signal, 1), 1);
    {
        platform::NamedLock lock(name);
        EXPECT_FALSE(lock.tryLock());
    }
    ASSERT_EQ(::write(release[1], &signal, 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    platform::NamedLock lock(name);
    EXPECT_TRUE(lock.tryLock());
    lock.unlock();
    for (int fd : {held[0], held[1], release[0], release[1]}) ::close(fd);
}
#endif
