#include "platform/files.hpp"

#include <cstdlib>

namespace platform {

Path userWorkFolder() {
    if (const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA"); local && *local)
        return Path(local) / L"chimewright";
    return Path();
}

} // namespace platform
