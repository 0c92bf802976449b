// Reads the 16-bit little-endian samples of a temporary-WAV image from byte 44 on. Bytes past
// the end of the image read as zero, as if the image sat in a zero-filled buffer, so an odd
// last sample pairs with a zero sample and a truncated sample keeps its low byte.
#pragma once

#include "shared/byte_order.hpp"
#include "shared/temp_wav.hpp"

#include <cstddef>
#include <cstdint>
#include <span>

namespace suite {

class TempWavSamples {
public:
    explicit TempWavSamples(std::span<const unsigned char> image) : image_(image) {}

    // Byte offset of the first sample.
    static constexpr std::size_t firstSampleOffset = tempWavHeaderSize;

    // Size of the image; reading stops when the read position reaches it.
    std::size_t end() const { return image_.size(); }

    // The sample whose low byte is at `offset`; zero where the image has no bytes.
    std::int16_t at(std::size_t offset) const {
        unsigned char bytes[2] = {0, 0};
        if (offset < image_.size()) bytes[0] = image_[offset];
        if (offset + 1 < image_.size()) bytes[1] = image_[offset + 1];
        return static_cast<std::int16_t>(readLe16(bytes));
    }

private:
    std::span<const unsigned char> image_;
};

} // namespace suite
