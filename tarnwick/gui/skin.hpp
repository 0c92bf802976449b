// The skin's bitmaps, loaded once from the program's resources, and the drawing of one face.
#pragma once

#include <windows.h>

namespace tarnwick::gui {

// The bitmap resource `id`, loaded on first use and kept for the life of the program;
// nullptr when the program lacks it.
HBITMAP skinBitmap(int id);
SIZE bitmapSize(HBITMAP bitmap);

// Draws face `face` of `faces` stacked faces of `bitmap` into `target` at `at`.
void drawFace(HDC target, POINT at, HBITMAP bitmap, int face, int faces);

// The background bitmap: its size is every dialog's client size.
HBITMAP backgroundBitmap();

} // namespace tarnwick::gui
