#include "chimewright/mmfconv/audio_track.hpp"

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

AudioTrack::AudioTrack(const unsigned char* chunkBytes, std::size_t count)
    : Chunk(chunkBytes, count) {
    trackNumber = chunkBytes[3];
    std::copy(chunkBytes + 8, chunkBytes + headerSize, header.begin());
    std::size_t offset = headerSize;
    while (offset < count) {
        const std::size_t length = fittingChunkLength(chunkBytes + offset, count - offset);
        if (length == 0) break;
        auto sub = std::make_unique<Chunk>(chunkBytes + offset, length);
        const int rate = waveRate(header[2]);
        if (chunkIdIs(chunkBytes + offset, "Awa", 3)) {
            sub->isWave = true;
            sub->sampleRate = rate;
            // two samples per byte
            if (rate != 0) sub->durationMs = double(length - 8) * 2 * 1000 / rate;
        }
        subchunks.push_back(std::move(sub));
        offset += length;
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
