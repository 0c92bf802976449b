// A growing file image: bytes, text and fixed-order numbers appended, fields reserved now and
// patched once what they count is written, and chunks of a tag and a 32-bit big-endian size.
#pragma once

#include "shared/byte_order.hpp"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace suite {

class ByteImage {
  public:
    std::size_t size() const { return bytes_.size(); }
    const std::vector<unsigned char>& bytes() const { return bytes_; }
    std::vector<unsigned char> take() { return std::move(bytes_); }

    void put(unsigned char byte) { bytes_.push_back(byte); }
    void put(std::initializer_list<unsigned char> bytes) { bytes_.insert(bytes_.end(), bytes); }
    void put(std::span<const unsigned char> bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    void put(std::string_view text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }

    void putBe16(std::uint16_t value) { patchBe16(reserve(2), value); }
    void putBe24(std::uint32_t value) { patchBe24(reserve(3), value); }
    void putBe32(std::uint32_t value) { patchBe32(reserve(4), value); }
    void putLe16(std::uint16_t value) { patchLe16(reserve(2), value); }
    void putLe24(std::uint32_t value) { patchLe24(reserve(3), value); }
    void putLe32(std::uint32_t value) { patchLe32(reserve(4), value); }

    // `count` zero bytes to be patched later; returns where they start.
    std::size_t reserve(std::size_t count);

    // Bytes already written or reserved, for a writer that fills them itself.
    std::span<unsigned char> span(std::size_t offset, std::size_t count) {
        return std::span<unsigned char>(bytes_).subspan(offset, count);
    }
    void patch(std::size_t offset, std::span<const unsigned char> bytes);
    void patchBe16(std::size_t offset, std::uint16_t value) { writeBe16(at(offset), value); }
    void patchBe24(std::size_t offset, std::uint32_t value) { writeBe24(at(offset), value); }
    void patchBe32(std::size_t offset, std::uint32_t value) { writeBe32(at(offset), value); }
    void patchLe16(std::size_t offset, std::uint16_t value) { writeLe16(at(offset), value); }
    void patchLe24(std::size_t offset, std::uint32_t value) { writeLe24(at(offset), value); }
    void patchLe32(std::size_t offset, std::uint32_t value) { writeLe32(at(offset), value); }

    // The tag and a reserved 32-bit size; returns where the size stands, for closeChunk.
    std::size_t openChunk(std::string_view tag);
    // A three-character tag whose fourth byte is a number ("ATR" + track, "Dch" + code type).
    std::size_t openChunk(std::string_view tag, unsigned char number);
    // The size at `sizeAt` becomes the count of everything written after it.
    void closeChunk(std::size_t sizeAt);

  private:
    unsigned char* at(std::size_t offset) { return bytes_.data() + offset; }

    std::vector<unsigned char> bytes_;
};

} // namespace suite
