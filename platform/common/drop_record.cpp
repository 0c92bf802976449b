#include "platform/foreign_windows.hpp"

#include <cstdint>

namespace platform {

namespace {

void putLe32(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

} // namespace

std::vector<unsigned char> dropFilesRecord(const Path& file, int x, int y) {
    constexpr std::uint32_t fileListOffset = 20;
    std::vector<unsigned char> record;
    putLe32(record, fileListOffset);
    putLe32(record, static_cast<std::uint32_t>(x));
    putLe32(record, static_cast<std::uint32_t>(y));
    putLe32(record, 1); // the point is in non-client coordinates
    putLe32(record, 1); // the names are wide characters
    for (char16_t unit : file.u16string()) {
        record.push_back(static_cast<unsigned char>(unit & 0xFF));
        record.push_back(static_cast<unsigned char>(unit >> 8));
    }
    record.insert(record.end(), 4, 0); // the name's end and the list's end
    return record;
}

} // namespace platform
