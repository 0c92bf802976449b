#include "voxreel/gui/player_window.hpp"

#include "voxreel/gui/ansi_path.hpp"

#include <vector>

namespace voxreel::gui {

namespace {

constexpr char className[] = "mainWClass";
constexpr char windowTitle[] = "Voxreel Ver.1.25.0.3";

constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZE;
static_assert(windowStyle == 0x01CE0000);
constexpr int windowWidth = 320;
constexpr int windowHeight = 150;

struct LinePosition {
    int x;
    int y;
};
constexpr LinePosition fileNameLine{10, 5};
constexpr LinePosition titleLine{10, 25};
constexpr LinePosition labelLine{10, 43};

} // namespace

bool PlayerWindow::registerClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(programIconId));
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_INACTIVEBORDER + 1));
    windowClass.lpszMenuName = "mainMenu";
    windowClass.lpszClassName = className;
    return ::RegisterClassA(&windowClass) != 0;
}

bool PlayerWindow::create() {
    HWND window = ::CreateWindowExA(WS_EX_ACCEPTFILES, className, windowTitle, windowStyle, 0, 0,
                                    windowWidth, windowHeight, nullptr, nullptr, instance_, this);
    if (!window) return false;
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    return true;
}

LRESULT CALLBACK PlayerWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PlayerWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PlayerWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT PlayerWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        onCreate();
        return 0;
    case WM_DROPFILES:
        onDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_COMMAND:
        onCommand(wParam);
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_MOUSEMOVE: // the window itself does nothing with the mouse
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        return 0;
    case WM_CLOSE:
        onClose();
        break; // the default processing destroys the window
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}

void PlayerWindow::onCreate() {
    // The system's character set rather than the Western one: the file name is ANSI text in
    // the system's code page, and a Japanese name would otherwise come out as Latin letters.
    displayFont_ = ::CreateFontA(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, "System");
    playButton_ = ::CreateWindowExA(0, "BUTTON", "Play", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON,
                                    100, 90, 100, 24, window_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(playCommandId)),
                                    instance_, nullptr);
    if (playButton_) ::SendMessageA(playButton_, WM_SETFONT, reinterpret_cast<WPARAM>(displayFont_), TRUE);
    if (session_.unquoteCommandFile()) postPlayCommand();
}

void PlayerWindow::onDropFiles(HDROP drop) {
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        std::vector<char> name(length + 1, '\0');
        const UINT got = ::DragQueryFileA(drop, i, name.data(), length + 1);
        session_.addDroppedFile(std::string(name.data(), got < length ? got : length));
    }
    ::DragFinish(drop);
    ::InvalidateRect(window_, nullptr, TRUE);
    postPlayCommand();
}

void PlayerWindow::onCommand(WPARAM wParam) {
    if (wParam == playCommandId)
        session_.play(pathFromAnsi(session_.currentFile()), voxreel::VoiceRenderer::instance());
    ::InvalidateRect(window_, nullptr, TRUE);
}

void PlayerWindow::onPaint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    paintRecord_.beginPaint();
    // Only the file name is drawn in the window's own font; the other lines keep the
    // device context's.
    HGDIOBJ previousFont = ::SelectObject(dc, displayFont_);
    ::SetBkMode(dc, TRANSPARENT);
    drawLine(dc, fileNameLine.x, fileNameLine.y, session_.currentFile());
    ::SelectObject(dc, previousFont);
    const std::string title = session_.titleLine();
    if (!title.empty()) drawLine(dc, titleLine.x, titleLine.y, title);
    const std::string& label = session_.texts().label;
    if (!label.empty()) drawLine(dc, labelLine.x, labelLine.y, label);
    paintRecord_.endPaint();
    ::EndPaint(window_, &paint);
}

void PlayerWindow::onClose() {
    ::DeleteObject(displayFont_);
    displayFont_ = nullptr;
    session_.forgetDroppedFiles();
}

void PlayerWindow::drawLine(HDC dc, int x, int y, const std::string& text) {
    ::TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
    paintRecord_.addLine(x, y, text);
}

void PlayerWindow::postPlayCommand() {
    ::PostMessageA(window_, WM_COMMAND, playCommandId, 0);
}

} // namespace voxreel::gui
