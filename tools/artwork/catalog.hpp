// Every image the programs' resources take, with the function that draws it. A new image is
// its drawing function plus one line in the table in catalog.cpp.
#pragma once

#include "tools/artwork/canvas.hpp"

#include <span>
#include <string>
#include <vector>

namespace artwork {

enum class Format { icon, bitmap };

struct Artwork {
    const char* file; // written into the output folder; the .rc files name it
    Format format;
    int width, height;     // of a bitmap; icons come in iconSizes
    void (*draw)(Canvas&); // draws on a canvas of the image's size (or each icon size)
};

inline constexpr int iconSizes[] = {16, 32, 48};

std::span<const Artwork> catalog();
// The file's bytes.
std::vector<std::uint8_t> render(const Artwork& artwork);

} // namespace artwork
