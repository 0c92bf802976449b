#include "platform/files.hpp"

#include "platform/win32/wide_text.hpp"

#include <atomic>
#include <cwchar>
#include <string>
#include <windows.h>

namespace platform {

namespace {

bool isFolder(const Path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Longest path the wide functions accept.
constexpr DWORD longestPath = 32768;

} // namespace

bool createFolder(const Path& path) {
    if (::CreateDirectoryW(path.c_str(), nullptr)) return true;
    // An existing folder is no failure; an existing file of that name is. A drive's root
    // reports "access denied" rather than "already exists", so look at what is there.
    return isFolder(path);
}

Path modulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) return {};
        if (length < size) {
            buffer.resize(length);
            return Path(buffer);
        }
        // The name was cut to fit: try again with more room.
        if (size >= longestPath) return {};
        buffer.resize(static_cast<std::size_t>(size) * 2);
    }
}

Path moduleFolder() { return modulePath().parent_path(); }

Path currentFolder() {
    for (;;) {
        const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
        if (needed == 0) return {};
        std::wstring buffer(needed, L'\0');
        const DWORD length = ::GetCurrentDirectoryW(needed, buffer.data());
        if (length == 0) return {};
        // Another thread may have changed the folder in between; then the count is larger.
        if (length < needed) {
            buffer.resize(length);
            return Path(buffer);
        }
    }
}

bool setCurrentFolder(const Path& path) { return ::SetCurrentDirectoryW(path.c_str()) != 0; }

Path makeScratchFolder(const char* prefix) {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return {};
    const Path base(std::wstring(temp, length));
    const std::wstring stem = utf8ToWide(prefix ? prefix : "");

    // Process id, clock and a counter make a name no other run is likely to hold; a name
    // that is taken anyway is skipped.
    static std::atomic<unsigned> counter{0};
    const unsigned long long seed =
        (static_cast<unsigned long long>(::GetCurrentProcessId()) << 32) ^ ::GetTickCount64();
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t suffix[32];
        std::swprintf(suffix, 32, L"%llx%x", seed, counter.fetch_add(1));
        const Path candidate = base / (stem + suffix);
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

} // namespace platform
