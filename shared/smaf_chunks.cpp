#include "shared/smaf_chunks.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>

namespace suite {

bool SmafChunk::idIs(std::string_view id) const {
    return id.size() <= whole.size() && std::equal(id.begin(), id.end(), whole.begin());
}

std::optional<SmafChunk> smafChunkAt(std::span<const unsigned char> bytes, std::size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < smafChunkHeaderSize) return std::nullopt;
    const std::size_t body = readBe32(bytes.data() + offset + 4);
    if (body > bytes.size() - offset - smafChunkHeaderSize) return std::nullopt;
    return SmafChunk{offset, bytes.subspan(offset, smafChunkHeaderSize + body)};
}

std::vector<SmafChunk> smafChunks(std::span<const unsigned char> bytes, std::size_t offset) {
    std::vector<SmafChunk> chunks;
    while (const auto chunk = smafChunkAt(bytes, offset)) {
        chunks.push_back(*chunk);
        offset = chunk->end();
    }
    return chunks;
}

std::optional<SmafChunk> findSmafChunk(std::span<const unsigned char> bytes, std::size_t offset,
                                       std::string_view id) {
    while (const auto chunk = smafChunkAt(bytes, offset)) {
        if (chunk->idIs(id)) return chunk;
        offset = chunk->end();
    }
    return std::nullopt;
}

} // namespace suite
