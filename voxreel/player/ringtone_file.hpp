// Reading the current file for a play request: up to 1 MiB is read; a file that fills the
// whole 1 MiB (or more) is not played.
#pragma once

#include "platform/files.hpp"

#include <vector>

namespace voxreel {

enum class RingtoneLoad {
    loaded,
    cannotOpen,
    tooLarge, // 1,048,576 bytes or more
};

// `bytes` holds what was read (at most 1,048,576 bytes).
RingtoneLoad loadRingtoneFile(const platform::Path& path, std::vector<unsigned char>& bytes);

} // namespace voxreel
