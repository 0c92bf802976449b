#include "tarnwick/engine/wave_check.hpp"

#include "shared/byte_order.hpp"

#include <cstring>

namespace tarnwick {

namespace {

constexpr std::size_t chunkHeaderSize = 8;
constexpr std::size_t pcmFormatSize = 16;

// The rate code of a "fmt " body, or a failure. The tag is checked first: a compressed
// file is a header the program cannot read at all, an unsuitable PCM file is merely one it
// does not support.
int checkFormat(const unsigned char* body, std::size_t size) {
    if (size < pcmFormatSize) return waveInvalidHeader;
    if (suite::readLe16(body) != 1) return waveInvalidHeader;
    if (suite::readLe16(body + 2) != 1) return waveUnsupportedFormat;
    const std::uint32_t rate = suite::readLe32(body + 4);
    std::uint32_t byteRate = 0;
    int code = 0;
    if (rate == 8000) {
        byteRate = 16000;
        code = rateCode8k;
    } else if (rate == 4000) {
        byteRate = 8000;
        code = rateCode4k;
    } else {
        return waveUnsupportedFormat;
    }
    if (suite::readLe32(body + 8) != byteRate || suite::readLe16(body + 12) != 2 ||
        suite::readLe16(body + 14) != 16)
        return waveUnsupportedFormat;
    return code;
}

// At most 0.02 s of sound: 320 bytes at 8000 Hz, 160 at 4000 Hz.
bool tooShort(std::size_t dataSize, int rateCode) {
    return dataSize <= (rateCode == rateCode8k ? 320u : 160u);
}

} // namespace

int checkWave(std::span<const unsigned char> image, WaveInfo& info) {
    if (image.size() < 12 || std::memcmp(image.data(), "RIFF", 4) != 0 ||
        std::memcmp(image.data() + 8, "WAVE", 4) != 0)
        return waveInvalidHeader;

    int rateCode = 0; // set once a valid "fmt " has been seen
    std::size_t at = 12;
    while (image.size() - at >= chunkHeaderSize) {
        const unsigned char* header = image.data() + at;
        const std::size_t size = suite::readLe32(header + 4);
        const std::size_t left = image.size() - at - chunkHeaderSize;
        if (size > left) return waveInvalidHeader;
        const unsigned char* body = header + chunkHeaderSize;

        if (std::memcmp(header, "fmt ", 4) == 0) {
            rateCode = checkFormat(body, size);
            if (rateCode < 0) return rateCode;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (rateCode == 0) return waveInvalidHeader;
            if (tooShort(size, rateCode)) return waveTooShort;
            info.dataOffset = at + chunkHeaderSize;
            info.dataSize = size;
            info.rateCode = rateCode;
            return rateCode;
        }
        at += chunkHeaderSize + size; // sizes are not rounded to even
    }
    return waveInvalidHeader;
}

} // namespace tarnwick
