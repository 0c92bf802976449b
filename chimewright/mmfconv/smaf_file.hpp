// A whole SMAF file as a tree: one object per top-level chunk, in file order.
//
// Written back as "MMMD", size, the first "CNTI", the first "OPDA", every "MTR" and "ATR" in
// list order, and the check code. Other chunks stay in the list but are neither written nor
// counted. The stored and computed check codes are kept, never compared.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

#include <cstdint>
#include <memory>
#include <vector>

namespace cw::smaf {

class File : public Chunk {
  public:
    // Parses an image. Chunks are taken from offset 8 while header and body fit; the walk
    // stops at the first that does not.
    explicit File(ByteView image);
    ~File() override;

    void write(suite::ByteImage& out) override;
    int size() const override;
    // The written image into `out`: its length, or 0 (writing nothing) when it does not fit.
    std::size_t write(std::span<unsigned char> out);

    // Every CNTI gets the texts (or, with useOpda, the optional-data type); the first OPDA is
    // removed, and with useOpda a new one holding the texts follows the first CNTI. Null
    // pointers are absent texts. True when anything changed.
    bool setContentsInfo(const char* title, const char* copyright, bool useOpda);

    // Attaches a stream wave to the score track that plays channel 9's bank (see
    // ScoreTrack::attachStream). False when the file has no suitable score track.
    bool attachStream(const std::vector<int>& startTimesMs, double durationMs,
                      const Chunk& waveChunk);

    std::vector<std::unique_ptr<Chunk>> chunks;
    std::uint16_t storedCrc = 0;
    std::uint16_t computedCrc = 0;

  private:
    // The chunks that are written, in writing order.
    std::vector<Chunk*> writtenChunks() const;
};

} // namespace cw::smaf
