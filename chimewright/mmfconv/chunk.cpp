#include "chimewright/mmfconv/chunk.hpp"

namespace cw::smaf {

Chunk::Chunk(ByteView chunkBytes) : bytes(chunkBytes.begin(), chunkBytes.end()) {}

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
