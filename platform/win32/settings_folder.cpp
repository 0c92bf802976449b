#include "platform/profile.hpp"

#include <string>
#include <windows.h>

namespace platform {

// WINDIR is always set on Windows; the root of drive C: stands in when it is not.
Path settingsFolder() {
    const DWORD needed = ::GetEnvironmentVariableW(L"WINDIR", nullptr, 0);
    if (needed > 1) {
        std::wstring folder(needed, L'\0');
        const DWORD length = ::GetEnvironmentVariableW(L"WINDIR", folder.data(), needed);
        if (length > 0 && length < needed) {
            folder.resize(length);
            return Path(folder);
        }
    }
    return Path(L"C:\\");
}

} // namespace platform
