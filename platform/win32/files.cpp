#include "platform/files.hpp"

#include <algorithm>
#include <windows.h>

namespace platform {

namespace {

HANDLE nativeHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// ReadFile and WriteFile take 32-bit counts; larger transfers go in pieces of this size.
constexpr std::size_t largestTransfer = std::size_t{1} << 30;

DWORD shareMode(unsigned share) {
    DWORD mode = 0;
    if (share & shareRead) mode |= FILE_SHARE_READ;
    if (share & shareWrite) mode |= FILE_SHARE_WRITE;
    return mode;
}

OpenError openErrorFromCode(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND: return OpenError::fileNotFound;
    case ERROR_PATH_NOT_FOUND: return OpenError::pathNotFound;
    // A file that another holder does not share is as closed to us as one we may not open.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return OpenError::accessDenied;
    default: return OpenError::other;
    }
}

File openWith(const Path& path, DWORD access, unsigned share, DWORD disposition) {
    HANDLE handle = ::CreateFileW(path.c_str(), access, shareMode(share), nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return File::failed(openErrorFromCode(::GetLastError()));
    return File::fromHandle(reinterpret_cast<std::intptr_t>(handle));
}

} // namespace

std::optional<std::size_t> File::read(void* buffer, std::size_t size) {
    if (!isOpen()) return std::nullopt;
    std::size_t done = 0;
    while (done < size) {
        const DWORD want = static_cast<DWORD>(std::min(size - done, largestTransfer));
        DWORD got = 0;
        if (!::ReadFile(nativeHandle(handle_), static_cast<char*>(buffer) + done, want, &got,
                        nullptr))
            return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    return done;
}

bool File::write(const void* data, std::size_t size) {
    if (!isOpen()) return false;
    std::size_t done = 0;
    while (done < size) {
        const DWORD want = static_cast<DWORD>(std::min(size - done, largestTransfer));
        DWORD put = 0;
        if (!::WriteFile(nativeHandle(handle_), static_cast<const char*>(data) + done, want, &put,
                         nullptr) ||
            put == 0)
            return false;
        done += put;
    }
    return true;
}

std::optional<std::uint64_t> File::size() {
    LARGE_INTEGER length{};
    if (!isOpen() || !::GetFileSizeEx(nativeHandle(handle_), &length) || length.QuadPart < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(length.QuadPart);
}

void File::close() {
    if (isOpen()) ::CloseHandle(nativeHandle(handle_));
    handle_ = invalidHandle;
}

File openForRead(const Path& path, unsigned share) {
    return openWith(path, GENERIC_READ, share, OPEN_EXISTING);
}

File createForWrite(const Path& path, unsigned share) {
    return openWith(path, GENERIC_WRITE, share, CREATE_ALWAYS);
}

bool deleteFile(const Path& path) { return ::DeleteFileW(path.c_str()) != 0; }

bool fileExists(const Path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool copyFile(const Path& from, const Path& to) {
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

} // namespace platform
