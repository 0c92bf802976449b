#include "shared/byte_image.hpp"

#include <algorithm>

namespace suite {

std::size_t ByteImage::reserve(std::size_t count) {
    const std::size_t start = bytes_.size();
    bytes_.resize(start + count);
    return start;
}

void ByteImage::patch(std::size_t offset, std::span<const unsigned char> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::size_t ByteImage::openChunk(std::string_view tag) {
    put(tag);
    return reserve(4);
}

std::size_t ByteImage::openChunk(std::string_view tag, unsigned char number) {
    put(tag);
    put(number);
    return reserve(4);
}

void ByteImage::closeChunk(std::size_t sizeAt) {
    patchBe32(sizeAt, static_cast<std::uint32_t>(bytes_.size() - sizeAt - 4));
}

} // namespace suite
