#include "tests/gui/automation/screenshot.hpp"

#include "tests/gui/automation/environment.hpp"
#include "tests/gui/automation/input.hpp"
#include "tests/gui/automation/text.hpp"
#include "tests/gui/automation/wait.hpp"

#include <algorithm>

namespace gui_test {

namespace {

std::filesystem::path save(const RgbImage& image, std::string name) {
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".png") != 0) name += ".png";
    if (image.width == 0 || image.height == 0)
        throw AutomationError("screenshot " + name + ": nothing of it is on the screen");
    const std::filesystem::path file = screenshotDir() / toWide(name);
    if (!writePng(file, image)) throw AutomationError("cannot write " + toUtf8(file.wstring()));
    return file;
}

} // namespace

RgbImage captureScreenRect(const RECT& wanted) {
    // Only what lies on the screen can be read (Wine's BitBlt of a rectangle that reaches past
    // the screen's edge fails as a whole, leaving black), so the picture is clipped to it.
    const RECT desktop{
        ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
        ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
        ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    RECT screen{};
    RgbImage image;
    if (!::IntersectRect(&screen, &wanted, &desktop)) return image;
    image.width = screen.right - screen.left;
    image.height = screen.bottom - screen.top;

    const HDC screenDc = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screenDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, image.width, image.height, screenDc, screen.left, screen.top,
             SRCCOPY | CAPTUREBLT);
    ::GdiFlush();

    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    const auto* source = static_cast<const std::uint8_t*>(bits); // B, G, R, unused
    for (std::size_t i = 0, n = static_cast<std::size_t>(image.width) * image.height; i < n; ++i) {
        image.pixels[3 * i] = source[4 * i + 2];
        image.pixels[3 * i + 1] = source[4 * i + 1];
        image.pixels[3 * i + 2] = source[4 * i];
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screenDc);
    return image;
}

std::filesystem::path screenshotScreen(const std::string& name) {
    const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return save(captureScreenRect(screen), name);
}

std::filesystem::path screenshotWindow(HWND window, const std::string& name) {
    if (!::IsWindow(window)) throw AutomationError("screenshot " + name + ": no such window");
    // Pending paints first, so the picture shows what the window shows.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    settle(window);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return save(captureScreenRect(rect), name);
}

} // namespace gui_test
