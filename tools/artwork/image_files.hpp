// The two file formats the resource compiler takes: .bmp (24-bit, bottom-up rows) and .ico
// (one 32-bit image with an AND mask per size).
#pragma once

#include "tools/artwork/canvas.hpp"

#include <cstdint>
#include <vector>

namespace artwork {

// Alpha is dropped: each pixel is blended over `matte` first.
std::vector<std::uint8_t> encodeBmp(const Canvas& canvas, Color matte = rgb(0xFFFFFF));
// The canvases are the sizes of one icon (square, at most 256 pixels), in the order given.
std::vector<std::uint8_t> encodeIco(const std::vector<Canvas>& sizes);

} // namespace artwork
