#include "chimewright/mmfconv/audio_track.hpp"

#include "shared/smaf_chunks.hpp"

#include <algorithm>

namespace cw::smaf {

namespace {

constexpr std::size_t headerSize = 14; // "ATR", number, size, six bytes

int waveRate(unsigned char waveType) {
    switch (waveType) {
    case 0x11:
        return 8000;
    case 0x10:
        return 4000;
    default:
        return 0;
    }
}

} // namespace

AudioTrack::AudioTrack(ByteView chunkBytes) : Chunk(chunkBytes) {
    trackNumber = chunkBytes[3];
    const ByteView headerBytes = chunkBytes.subspan(8, headerSize - 8);
    std::copy(headerBytes.begin(), headerBytes.end(), header.begin());
    for (const suite::SmafChunk& chunk : suite::smafChunks(chunkBytes, headerSize)) {
        const std::size_t length = chunk.whole.size();
        auto sub = std::make_unique<Chunk>(chunk.whole);
        const int rate = waveRate(header[2]);
        if (chunk.idIs("Awa")) {
            sub->isWave = true;
            sub->sampleRate = rate;
            // two samples per byte
            if (rate != 0) sub->durationMs = double(length - 8) * 2 * 1000 / rate;
        }
        subchunks.push_back(std::move(sub));
    }
}

AudioTrack::~AudioTrack() = default;

int AudioTrack::size() const {
    int total = static_cast<int>(headerSize);
    for (const auto& sub : subchunks)
        total += sub->size();
    return total;
}

void AudioTrack::write(suite::ByteImage& out) {
    const std::size_t sizeAt = out.openChunk("ATR", static_cast<unsigned char>(trackNumber));
    out.put(header);
    for (const auto& sub : subchunks)
        sub->write(out);
    out.closeChunk(sizeAt);
}

} // namespace cw::smaf
