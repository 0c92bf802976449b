// The header fields and sample data of a PCM WAV file image held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace cw {

struct WavFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

// Reads the format fields at their fixed offsets (the fmt chunk comes first).
// The image must hold at least 36 bytes.
WavFormat readWavFormat(const unsigned char* image);

struct DataChunk {
    std::size_t offset; // first sample byte
    std::size_t size;   // as declared
};

// Walks the chunks from `from` up to `end` looking for "data". Odd-sized chunks carry no pad
// byte here. Nothing when there is none; a found chunk may declare more bytes than remain.
std::optional<DataChunk> findDataChunk(const unsigned char* image, std::size_t from,
                                       std::size_t end);

} // namespace cw
