// Files and folders as the conversion job needs them. Two implementations: posix/ and win32/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

using Path = std::filesystem::path;

enum class OpenError { none, fileNotFound, pathNotFound, accessDenied, other };

// Who else may use a file while we hold it open (Windows sharing modes; advisory elsewhere).
enum Share : unsigned { shareNone = 0, shareRead = 1, shareWrite = 2 };

// An open file. Moves, never copies; closes itself.
class File {
public:
    File() = default;
    ~File() { close(); }
    File(File&& other) noexcept : handle_(other.handle_), error_(other.error_) {
        other.handle_ = invalidHandle;
    }
    File& operator=(File&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = other.handle_;
            error_ = other.error_;
            other.handle_ = invalidHandle;
        }
        return *this;
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool isOpen() const { return handle_ != invalidHandle; }
    OpenError error() const { return error_; }

    // Bytes read (0 at the end), or nothing when the read failed.
    std::optional<std::size_t> read(void* buffer, std::size_t size);
    // True when every byte was written.
    bool write(const void* data, std::size_t size);
    std::optional<std::uint64_t> size();
    void close();

    static File fromHandle(std::intptr_t handle) { return File(handle, OpenError::none); }
    static File failed(OpenError error) { return File(invalidHandle, error); }

private:
    static constexpr std::intptr_t invalidHandle = -1;
    File(std::intptr_t handle, OpenError error) : handle_(handle), error_(error) {}
    std::intptr_t handle_ = invalidHandle;
    OpenError error_ = OpenError::other;
};

File openForRead(const Path& path, unsigned share = shareRead);
// Creates the file or truncates an existing one, for writing.
File createForWrite(const Path& path, unsigned share = shareRead | shareWrite);

// True when the folder was made or already exists.
bool createFolder(const Path& path);
bool deleteFile(const Path& path);
bool fileExists(const Path& path);
// Copies a file's bytes, replacing the target if it exists. True on success.
bool copyFile(const Path& from, const Path& to);

// Full path of the running executable, and its folder.
Path modulePath();
Path moduleFolder();

// A folder of the user's own for working files, for a program installed where the user may
// not write; empty when the system names none.
Path userWorkFolder();

Path currentFolder();
bool setCurrentFolder(const Path& path);

// A fresh, empty folder for scratch work (tests, benchmarks); empty on failure.
Path makeScratchFolder(const char* prefix);

// Whole-file helpers for tests and tools.
std::optional<std::string> readWholeFile(const Path& path);
bool writeWholeFile(const Path& path, const void* data, std::size_t size);

} // namespace platform
