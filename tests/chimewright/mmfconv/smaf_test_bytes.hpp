// Byte strings for the SMAF tests: chunks and files built from their layouts.
#pragma once

#include "chimewright/mmfconv/mmmd_chunk.hpp"

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

// What an object writes into a buffer of exactly its size.
template <class Chunk> Bytes written(Chunk& object) {
    Bytes out(static_cast<std::size_t>(object.size()));
    const int n = object.write(out.data(), static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(n));
    return out;
}

} // namespace smaf_test
