// Byte strings for the SMAF tests: chunks and files built from their layouts.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace smaf_test {

using Bytes = std::vector<unsigned char>;

Bytes bytes(std::initializer_list<int> values);
Bytes text(std::string_view chars);
Bytes be16(unsigned value);
Bytes be32(std::uint32_t value);
Bytes operator+(Bytes a, const Bytes& b);

// id (4 characters, or 3 plus a number byte given in `id` as text) + 32-bit size + body.
Bytes chunk(const Bytes& id, const Bytes& body);
Bytes chunk(std::string_view id, const Bytes& body);
// "MMMD", size, the chunks, the check code.
Bytes smafFile(const Bytes& chunks);
// The top-level chunks of an image, walked from offset 8 by their sizes.
std::vector<Bytes> topChunks(const Bytes& image);

// What an object writes; nothing when that disagrees with the size it announces.
template <class Chunk> Bytes written(Chunk& object) {
    suite::ByteImage out;
    object.write(out);
    if (out.size() != static_cast<std::size_t>(object.size())) return {};
    return out.take();
}

} // namespace smaf_test
