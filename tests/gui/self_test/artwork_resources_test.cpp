// The icons drawn by tools/artwork, as Windows loads them from a program's resources (the
// fixture's): every size there, with transparent corners, drawn into a picture for review.
// (The fixture window's title bar shows icon 101 in its screenshots.)
#include "tests/gui/self_test/fixture_session.hpp"

using namespace gui_test;
namespace ids = gui_fixture;

namespace {

struct LoadedModule {
    HMODULE module;
    explicit LoadedModule(const std::filesystem::path& file)
        : module(::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~LoadedModule() { ::FreeLibrary(module); }
};

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    ::GetIconInfo(icon, &info);
    BITMAP colour{};
    ::GetObjectW(info.hbmColor, sizeof colour, &colour);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return {colour.bmWidth, colour.bmHeight};
}

} // namespace

TEST(GuiArtwork, IconsLoadAtEverySizeWithTransparentCorners) {
    LoadedModule fixture(gui_self_test::fixtureProgram());
    ASSERT_TRUE(fixture.module);
    const int icons[] = {ids::chimewrightIcon, ids::voxreelIcon, ids::tarnwickIcon};
    const int sizes[] = {16, 32, 48};

    // All of them side by side on white, as a picture to look at.
    RgbImage sheet;
    sheet.width = 16 + 32 + 48 + 32;
    sheet.height = 3 * 56;
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 3, 255);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof info.bmiHeader, sheet.width, -sheet.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT all{0, 0, sheet.width, sheet.height};
    ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));

    for (int row = 0; row < 3; ++row) {
        int x = 8;
        for (int size : sizes) {
            SCOPED_TRACE("icon " + std::to_string(icons[row]) + " at " + std::to_string(size));
            const auto icon = static_cast<HICON>(::LoadImageW(
                fixture.module, MAKEINTRESOURCEW(icons[row]), IMAGE_ICON, size, size, 0));
            ASSERT_TRUE(icon);
            const SIZE loaded = iconSize(icon);
            EXPECT_EQ(loaded.cx, size);
            EXPECT_EQ(loaded.cy, size);
            const int y = row * 56 + 4;
            ::DrawIconEx(memory, x, y, icon, size, size, 0, nullptr, DI_NORMAL);
            ::GdiFlush();
            const auto* pixel = static_cast<const std::uint8_t*>(bits) + 4 * (y * sheet.width + x);
            EXPECT_EQ(pixel[0], 255) << "the corner shows the white behind the icon";
            ::DestroyIcon(icon);
            x += size + 8;
        }
    }
    ::GdiFlush();
    const auto* source = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < static_cast<std::size_t>(sheet.width) * sheet.height; ++i) {
        sheet.pixels[3 * i] = source[4 * i + 2];
        sheet.pixels[3 * i + 1] = source[4 * i + 1];
        sheet.pixels[3 * i + 2] = source[4 * i];
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(writePng(screenshotDir() / L"icons.png", sheet));
}
