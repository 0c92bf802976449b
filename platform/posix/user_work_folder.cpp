#include "platform/files.hpp"

#include <cstdlib>

namespace platform {

Path userWorkFolder() {
    // Relative XDG_CACHE_HOME values are to be ignored.
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/')
        return Path(cache) / "chimewright";
    if (const char* home = std::getenv("HOME"); home && *home)
        return Path(home) / ".cache" / "chimewright";
    return Path();
}

} // namespace platform
