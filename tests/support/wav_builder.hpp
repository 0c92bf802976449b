// Builds WAV file images for tests: PCM of any width and layout, extra chunks, broken headers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct WavSpec {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 1;
    std::uint32_t rate = 8000;
    std::uint16_t bits = 16;
    std::string chunksBeforeData; // raw bytes placed between "fmt " and "data"
};

// Frames are given as integer sample values, channel-interleaved; each is stored in the
// width of layout.bits (8-bit values are stored as value + 128).
std::string makeWav(const WavSpec& layout, const std::vector<std::int32_t>& interleaved);

// A chunk: four-byte id, little-endian size, the body.
std::string chunk(const std::string& id, const std::string& body);

std::vector<std::int32_t> sineWave(double frequency, double rate, std::size_t frames,
                                   double amplitude, unsigned channels = 1);

// 16-bit samples of a temporary WAV file (from byte 44).
std::vector<std::int16_t> tempWavSamples(const std::string& bytes);

} // namespace testing_support
