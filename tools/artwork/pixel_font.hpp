// A 5 × 7 pixel font of our own for labels on buttons and pictures: capital letters, digits
// and a few signs. Lower-case letters are drawn as capitals; unknown characters as blanks.
#pragma once

#include "tools/artwork/canvas.hpp"

#include <string_view>

namespace artwork {

inline constexpr int glyphWidth = 5;
inline constexpr int glyphHeight = 7;
inline constexpr int glyphSpacing = 1; // blank columns between two characters

// The width in pixels of `text` at `scale` (each font pixel a scale × scale square).
int textWidth(std::string_view text, int scale = 1);
// Draws `text` with its top-left corner at (x, y).
void drawText(Canvas& canvas, int x, int y, std::string_view text, Color color, int scale = 1);
// Draws it centred in the rectangle [x0, x1) × [y0, y1).
void drawTextCentred(Canvas& canvas, int x0, int y0, int x1, int y1, std::string_view text,
                     Color color, int scale = 1);

} // namespace artwork
