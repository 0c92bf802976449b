// The base of the SMAF chunk classes, and the generic chunk that is kept as its bytes:
// unknown top-level chunks and sub-chunks, and wave data ("Awa" chunks).
//
// Every chunk object owns a copy of the bytes it was made from. write() fills at most
// `capacity` bytes and returns the number written, or 0 (writing nothing) when the chunk does
// not fit; size() is the encoded size in bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace MMFCONV {

using Bytes = std::vector<unsigned char>;

class mmmdChunk {
public:
    mmmdChunk() = default;
    mmmdChunk(const unsigned char* chunkBytes, std::size_t count);
    virtual ~mmmdChunk();
    mmmdChunk(const mmmdChunk&) = default;
    mmmdChunk& operator=(const mmmdChunk&) = default;

    virtual int write(unsigned char* out, int capacity);
    virtual const unsigned char* data() const;
    virtual int size() const;

    Bytes bytes; // the whole chunk, header included
    bool isWave = false;
    int sampleRate = 0; // of a wave chunk
    double durationMs = 0;
};

// Length of the chunk (8-byte header plus its body) at the start of `bytes` when header and
// body both lie within `available`; 0 otherwise.
std::size_t fittingChunkLength(const unsigned char* bytes, std::size_t available);

// True when the chunk identifier at `bytes` begins with `id` (3 or 4 characters).
bool chunkIdIs(const unsigned char* bytes, const char* id, std::size_t idLength);

} // namespace MMFCONV
