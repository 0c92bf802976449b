// "ATR" + track number, an audio track: six header bytes and its sub-chunks ("AspI", "Atsq",
// "Awa" + wave number, ...), all kept and written back as they are.
#pragma once

#include "chimewright/mmfconv/chunk.hpp"

#include <array>
#include <memory>
#include <vector>

namespace cw::smaf {

class AudioTrack : public Chunk {
  public:
    // `chunkBytes` is the whole chunk, with at least the six header bytes in its body.
    explicit AudioTrack(ByteView chunkBytes);
    ~AudioTrack() override;

    void write(suite::ByteImage& out) override;
    int size() const override;

    int trackNumber = 0;
    // format type, sequence type, wave type (0x11: 8000 Hz, 0x10: 4000 Hz), second wave-type
    // byte, duration and gate-time timebase codes
    std::array<unsigned char, 6> header{0x00, 0x00, 0x11, 0x00, 0x02, 0x02};
    std::vector<std::unique_ptr<Chunk>> subchunks;
};

} // namespace cw::smaf
