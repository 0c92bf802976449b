#include "tests/support/undeletable.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace testing_support {

#ifdef _WIN32

UndeletableFile::UndeletableFile(const platform::Path& path) : path_(path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    active_ = h != INVALID_HANDLE_VALUE;
    handle_ = reinterpret_cast<std::intptr_t>(h);
}

UndeletableFile::~UndeletableFile() {
    if (active_) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

#else

namespace {

bool setImmutable(const platform::Path& path, bool on) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

UndeletableFile::UndeletableFile(const platform::Path& path) : path_(path) {
    active_ = setImmutable(path, true);
}

UndeletableFile::~UndeletableFile() {
    if (active_) setImmutable(path_, false);
}

#endif

} // namespace testing_support
