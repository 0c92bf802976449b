// The folder in which a fuzz target hands its input to readers that take a path, and where
// they write their temporary files. Made once per process, removed at its end.
#pragma once

#include "platform/files.hpp"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz {

inline const platform::Path& scratchFolder() {
    struct Folder {
        platform::Path path = platform::makeScratchFolder("cw-fuzz-");
        ~Folder() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static const Folder folder;
    if (folder.path.empty()) std::abort();
    return folder.path;
}

// Writes the input as a file of the scratch folder and returns its path.
inline platform::Path inputFile(const char* name, const void* data, std::size_t size) {
    platform::Path path = scratchFolder() / name;
    if (!platform::writeWholeFile(path, data, size)) std::abort();
    return path;
}

} // namespace fuzz
