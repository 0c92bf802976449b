#include "tests/chimewright/mmfconv/smaf_test_bytes.hpp"

#include "shared/smaf_crc.hpp"

namespace smaf_test {

Bytes bytes(std::initializer_list<int> values) {
    Bytes out;
    for (int v : values) out.push_back(static_cast<unsigned char>(v));
    return out;
}

Bytes text(std::string_view chars) { return Bytes(chars.begin(), chars.end()); }

Bytes be16(unsigned value) { return bytes({int(value >> 8 & 0xFF), int(value & 0xFF)}); }

Bytes be32(std::uint32_t value) {
    return bytes({int(value >> 24), int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF)});
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes chunk(const Bytes& id, const Bytes& body) {
    return id + be32(static_cast<std::uint32_t>(body.size())) + body;
}

Bytes chunk(std::string_view id, const Bytes& body) { return chunk(text(id), body); }

Bytes smafFile(const Bytes& chunks) {
    Bytes image = text("MMMD") + be32(static_cast<std::uint32_t>(chunks.size() + 2)) + chunks;
    const std::uint16_t code = suite::smafCrc16(image.data(), image.size());
    return image + be16(code);
}

std::vector<Bytes> topChunks(const Bytes& image) {
    std::vector<Bytes> found;
    std::size_t offset = 8;
    while (offset + 8 <= image.size()) {
        const std::size_t length = 8 + (std::size_t{image[offset + 4]} << 24 |
                                        std::size_t{image[offset + 5]} << 16 |
                                        std::size_t{image[offset + 6]} << 8 | image[offset + 7]);
        if (offset + length > image.size()) break;
        found.emplace_back(image.begin() + static_cast<long>(offset),
                           image.begin() + static_cast<long>(offset + length));
        offset += length;
    }
    return found;
}

} // namespace smaf_test
