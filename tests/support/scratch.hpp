// A fresh folder per test, removed afterwards.
#pragma once

#include "platform/files.hpp"

#include <string>

namespace testing_support {

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const platform::Path& path() const { return path_; }
    platform::Path operator/(const std::string& name) const { return path_ / name; }

private:
    platform::Path path_;
};

// Bytes of a file, or an empty string when it cannot be read.
std::string fileBytes(const platform::Path& path);
void putFile(const platform::Path& path, const std::string& bytes);

} // namespace testing_support
