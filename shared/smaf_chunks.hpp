// Walking SMAF chunks (an id of four characters, or three and a number, a 32-bit big-endian
// body size, the body) laid end to end. Every size is checked against the bytes walked: a
// chunk whose header or body runs past them ends the walk and is not returned.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace suite {

constexpr std::size_t smafChunkHeaderSize = 8;

struct SmafChunk {
    std::size_t offset = 0;               // of the header, in the bytes walked
    std::span<const unsigned char> whole; // header and body

    std::span<const unsigned char> body() const { return whole.subspan(smafChunkHeaderSize); }
    std::size_t end() const { return offset + whole.size(); }
    // True when the id begins with `id` (three or four characters).
    bool idIs(std::string_view id) const;
};

// The chunk whose header is at `offset`, when header and body lie within `bytes`.
std::optional<SmafChunk> smafChunkAt(std::span<const unsigned char> bytes, std::size_t offset);

// The chunks from `offset` on, up to the first that does not fit.
std::vector<SmafChunk> smafChunks(std::span<const unsigned char> bytes, std::size_t offset);

// The first of those chunks whose id begins with `id`.
std::optional<SmafChunk> findSmafChunk(std::span<const unsigned char> bytes, std::size_t offset,
                                       std::string_view id);

} // namespace suite
