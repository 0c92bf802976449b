// Whole-file helpers, built on the platform's own file calls.
#include "platform/files.hpp"

namespace platform {

std::optional<std::string> readWholeFile(const Path& path) {
    File file = openForRead(path);
    auto size = file.size();
    if (!size) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    auto got = file.read(bytes.data(), bytes.size());
    if (!got || *got != bytes.size()) return std::nullopt;
    return bytes;
}

bool writeWholeFile(const Path& path, const void* data, std::size_t size) {
    File file = createForWrite(path);
    return file.isOpen() && file.write(data, size);
}

} // namespace platform
