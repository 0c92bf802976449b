#include "chimewright/mmfconv/chunk.hpp"

#include "shared/byte_order.hpp"

#include <algorithm>
#include <cstring>

namespace cw::smaf {

Chunk::Chunk(const unsigned char* chunkBytes, std::size_t count)
    : bytes(chunkBytes, chunkBytes + count) {}

Chunk::~Chunk() = default;

void Chunk::write(suite::ByteImage& out) {
    out.put(bytes);
}

const unsigned char* Chunk::data() const {
    return bytes.data();
}

int Chunk::size() const {
    return static_cast<int>(bytes.size());
}

std::size_t fittingChunkLength(const unsigned char* bytes, std::size_t available) {
    if (available < 8) return 0;
    const std::uint64_t length = std::uint64_t{suite::readBe32(bytes + 4)} + 8;
    return length <= available ? static_cast<std::size_t>(length) : 0;
}

bool chunkIdIs(const unsigned char* bytes, const char* id, std::size_t idLength) {
    return std::memcmp(bytes, id, idLength) == 0;
}

} // namespace cw::smaf
