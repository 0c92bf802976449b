#include "tarnwick/gui/skin.hpp"

#include "tarnwick/gui/resource_ids.h"

#include <map>

namespace tarnwick::gui {

HBITMAP skinBitmap(int id) {
    static std::map<int, HBITMAP> loaded; // one user-interface thread
    auto found = loaded.find(id);
    if (found != loaded.end()) return found->second;
    const auto bitmap = static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    loaded.emplace(id, bitmap);
    return bitmap;
}

SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void drawFace(HDC target, POINT at, HBITMAP bitmap, int face, int faces) {
    if (!bitmap || faces < 1) return;
    const SIZE size = bitmapSize(bitmap);
    const int faceHeight = size.cy / faces;
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ before = ::SelectObject(source, bitmap);
    ::BitBlt(target, at.x, at.y, size.cx, faceHeight, source, 0, face * faceHeight, SRCCOPY);
    ::SelectObject(source, before);
    ::DeleteDC(source);
}

HBITMAP backgroundBitmap() {
    return skinBitmap(IDB_BACKGROUND);
}

} // namespace tarnwick::gui
