#include "chimewright/audio/wav_image.hpp"

#include "shared/byte_order.hpp"

#include <cstring>

namespace cw {

WavFormat readWavFormat(const unsigned char* image) {
    WavFormat f;
    f.formatTag = suite::readLe16(image + 20);
    f.channels = suite::readLe16(image + 22);
    f.rate = suite::readLe32(image + 24);
    f.byteRate = suite::readLe32(image + 28);
    f.blockAlign = suite::readLe16(image + 32);
    f.bitsPerSample = suite::readLe16(image + 34);
    return f;
}

std::optional<DataChunk> findDataChunk(const unsigned char* image, std::size_t from,
                                       std::size_t end) {
    // 64-bit positions: a chunk size near 4 GiB must not wrap the walk around.
    std::uint64_t pos = from;
    while (pos + 8 <= end) {
        const unsigned char* header = image + pos;
        std::uint32_t size = suite::readLe32(header + 4);
        if (std::memcmp(header, "data", 4) == 0)
            return DataChunk{static_cast<std::size_t>(pos + 8), size};
        pos += std::uint64_t{size} + 8;
    }
    return std::nullopt;
}

} // namespace cw
