#include "platform/files.hpp"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::size_t> File::read(void* buffer, std::size_t size) {
    if (!isOpen()) return std::nullopt;
    std::size_t done = 0;
    while (done < size) {
        ssize_t got = ::read(static_cast<int>(handle_), static_cast<char*>(buffer) + done,
                             size - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool File::write(const void* data, std::size_t size) {
    if (!isOpen()) return false;
    std::size_t done = 0;
    while (done < size) {
        ssize_t put = ::write(static_cast<int>(handle_), static_cast<const char*>(data) + done,
                              size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

std::optional<std::uint64_t> File::size() {
    struct stat info {};
    if (!isOpen() || ::fstat(static_cast<int>(handle_), &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

void File::close() {
    if (isOpen()) ::close(static_cast<int>(handle_));
    handle_ = invalidHandle;
}

namespace {

OpenError openErrorFromErrno(const Path& path, int err) {
    switch (err) {
    case ENOENT: {
        std::error_code ec;
        Path parent = path.parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec))
            return OpenError::pathNotFound;
        return OpenError::fileNotFound;
    }
    case ENOTDIR: return OpenError::pathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return OpenError::accessDenied;
    default: return OpenError::other;
    }
}

File openWith(const Path& path, int flags) {
    int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return File::failed(openErrorFromErrno(path, errno));
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return File::failed(OpenError::accessDenied);
    }
    return File::fromHandle(fd);
}

} // namespace

// Sharing modes have no POSIX counterpart; they are accepted for the same call sites.
File openForRead(const Path& path, unsigned) { return openWith(path, O_RDONLY); }

File createForWrite(const Path& path, unsigned) {
    return openWith(path, O_WRONLY | O_CREAT | O_TRUNC);
}

bool createFolder(const Path& path) {
    if (::mkdir(path.c_str(), 0755) == 0) return true;
    struct stat info {};
    return errno == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool deleteFile(const Path& path) { return ::unlink(path.c_str()) == 0; }

bool fileExists(const Path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool copyFile(const Path& from, const Path& to) {
    std::error_code ec;
    return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                                      ec) &&
           !ec;
}

Path modulePath() {
    char buffer[PATH_MAX + 1];
    ssize_t length = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (length <= 0) return {};
    return Path(std::string(buffer, static_cast<std::size_t>(length)));
}

Path moduleFolder() { return modulePath().parent_path(); }

Path currentFolder() {
    std::error_code ec;
    Path here = std::filesystem::current_path(ec);
    return ec ? Path() : here;
}

bool setCurrentFolder(const Path& path) { return ::chdir(path.c_str()) == 0; }

Path makeScratchFolder(const char* prefix) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + prefix + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return {};
    return Path(pattern);
}

} // namespace platform
