// A minimal PNG encoder: 8-bit RGB, no filtering, the image data in stored (uncompressed)
// deflate blocks. Larger than a compressed file, but readable by every viewer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace gui_test {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels; // rows top to bottom, 3 bytes (R, G, B) per pixel
};

std::vector<std::uint8_t> encodePng(const RgbImage& image);
// Writes the PNG file; false when it cannot be written.
bool writePng(const std::filesystem::path& file, const RgbImage& image);

} // namespace gui_test
