#include "platform/profile.hpp"

#include <cstdlib>
#include <string>

namespace platform {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

Path settingsFolder() {
    // WINDIR names the settings folder on every system, so a run can be given its own.
    if (std::string windir = environment("WINDIR"); !windir.empty()) return Path(windir);
    // Relative XDG_CONFIG_HOME values are to be ignored.
    if (std::string config = environment("XDG_CONFIG_HOME"); !config.empty() && config[0] == '/')
        return Path(config) / "chimewright";
    if (std::string home = environment("HOME"); !home.empty())
        return Path(home) / ".config" / "chimewright";
    return Path();
}

} // namespace platform
