// Keeps a file from being deleted while the guard lives (an immutable flag on Linux, an open
// handle without delete sharing on Windows). Tests skip when the system does not allow it.
#pragma once

#include "platform/files.hpp"

#include <cstdint>

namespace testing_support {

class UndeletableFile {
public:
    explicit UndeletableFile(const platform::Path& path);
    ~UndeletableFile();
    UndeletableFile(const UndeletableFile&) = delete;
    UndeletableFile& operator=(const UndeletableFile&) = delete;

    bool active() const { return active_; }

private:
    platform::Path path_;
    bool active_ = false;
    std::intptr_t handle_ = -1;
};

} // namespace testing_support
