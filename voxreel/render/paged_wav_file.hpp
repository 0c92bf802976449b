// The renderer's temporary WAV file, reached through one window of bytes at a time, so the
// file is never held whole in memory. Every operation takes a named lock that any process
// opening the same file name shares ("<name>_FILEIO_MUTEX"); the lock is re-entrant, so
// operations nest.
#pragma once

#include "platform/files.hpp"
#include "platform/named_lock.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace voxreel {

class PagedWavFile {
public:
    static constexpr std::int64_t defaultSizeLimit = 1073741824;

    // Creates the file or empties an existing one.
    explicit PagedWavFile(const platform::Path& name, std::int64_t sizeLimit = defaultSizeLimit);
    ~PagedWavFile();
    PagedWavFile(const PagedWavFile&) = delete;
    PagedWavFile& operator=(const PagedWavFile&) = delete;

    // Flushes the current window and makes a new one of `length` bytes at `position`,
    // holding the file's bytes there and zeros beyond its end. Null when the flush or the
    // read fails, or when the window would reach past the size limit.
    unsigned char* lockRegion(std::int64_t position, std::int64_t length);

    // Puts a copy of the bytes at `position` as the window and flushes it.
    bool writeRegion(std::int64_t position, const unsigned char* bytes, std::int64_t length);

    // Writes the window into the file, filling any gap before it with zeros. The window stays.
    bool flush();

    // -1 when the file cannot be opened.
    std::int64_t fileSize();

    // Deletes the file and lets go of the lock and the window.
    void destroy();

    unsigned char* windowData() { return window_.empty() ? nullptr : window_.data(); }
    std::int64_t windowPosition() const { return windowPosition_; }
    std::int64_t windowLength() const { return windowLength_; }
    const platform::Path& name() const { return name_; }

    // The lock's name for a file name: cut to 244 characters, then the suffix.
    static std::string lockName(const platform::Path& name);

private:
    platform::Path name_;
    std::unique_ptr<platform::NamedLock> lock_;
    std::int64_t sizeLimit_;
    std::vector<unsigned char> window_;
    std::int64_t windowPosition_ = -1;
    std::int64_t windowLength_ = 0;
    std::int64_t knownSize_ = 0;
};

} // namespace voxreel
