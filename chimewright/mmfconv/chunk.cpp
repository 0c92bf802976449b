#include "chimewright/mmfconv/chunk.hpp"

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

} // namespace cw::smaf
