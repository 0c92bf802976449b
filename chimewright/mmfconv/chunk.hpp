// The base of the SMAF chunk classes, and the generic chunk that is kept as its bytes:
// unknown top-level chunks and sub-chunks, and wave data ("Awa" chunks).
//
// Every chunk object owns a copy of the bytes it was made from. write() appends the encoded
// chunk, size() bytes, to an image.
#pragma once

#include "shared/byte_image.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace cw::smaf {

using Bytes = std::vector<unsigned char>;
// Bytes being read: a whole chunk, a body, or what is left of one.
using ByteView = std::span<const unsigned char>;

class Chunk {
  public:
    Chunk() = default;
    explicit Chunk(ByteView chunkBytes);
    virtual ~Chunk();
    Chunk(const Chunk&) = default;
    Chunk& operator=(const Chunk&) = default;

    virtual void write(suite::ByteImage& out);
    virtual const unsigned char* data() const;
    virtual int size() const;

    Bytes bytes; // the whole chunk, header included
    bool isWave = false;
    int sampleRate = 0; // of a wave chunk
    double durationMs = 0;
};

} // namespace cw::smaf
