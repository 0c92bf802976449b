// The window classes of chimewright's windows: their registration, and the object behind each
// window, which comes as the creation parameter and is kept in the window's user data so that
// a static window procedure can hand each message to its object.
#pragma once

#include <windows.h>

namespace cw::gui {

// A class with the arrow cursor, `icon` and the system colour `background` (COLOR_...).
inline bool registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                                HICON icon, int background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0;
}

// The object the message goes to; from WM_NCCREATE on it is stored with the window (and the
// window's handle in the object's `handleField`). Null for the messages before WM_NCCREATE.
template <class Window>
Window* windowObject(HWND hwnd, UINT message, LPARAM l, HWND Window::*handleField) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->*handleField = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

} // namespace cw::gui
