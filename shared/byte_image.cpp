#include "shared/byte_image.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>

namespace suite {

std::size_t ByteImage::reserve(std::size_t count) {
    const std::size_t at = bytes_.size();
    bytes_.resize(at + count);
    return at;
}

void ByteImage::patch(std::size_t offset, std::span<const unsigned char> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

void ByteImage::patchBe16(std::size_t offset, std::uint16_t value) {
    writeBe16(bytes_.data() + offset, value);
}

void ByteImage::patchBe24(std::size_t offset, std::uint32_t value) {
    writeBe24(bytes_.data() + offset, value);
}

void ByteImage::patchBe32(std::size_t offset, std::uint32_t value) {
    writeBe32(bytes_.data() + offset, value);
}

void ByteImage::patchLe16(std::size_t offset, std::uint16_t value) {
    writeLe16(bytes_.data() + offset, value);
}

void ByteImage::patchLe24(std::size_t offset, std::uint32_t value) {
    writeLe24(bytes_.data() + offset, value);
}

void ByteImage::patchLe32(std::size_t offset, std::uint32_t value) {
    writeLe32(bytes_.data() + offset, value);
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
