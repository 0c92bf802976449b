#include "tests/gui/automation/input.hpp"

#include "tests/gui/automation/wait.hpp"

#include <algorithm>
#include <vector>

namespace gui_test {

namespace {

LPARAM pointParam(POINT p) {
    return MAKELPARAM(static_cast<short>(p.x), static_cast<short>(p.y));
}

// Runs `action` with our thread's input attached to the target's, so that focus and key
// state calls made here act on the target's input.
template <typename Action> void withAttachedInput(HWND window, Action action) {
    const DWORD target = ::GetWindowThreadProcessId(window, nullptr);
    const DWORD self = ::GetCurrentThreadId();
    const bool attached = target != self && ::AttachThreadInput(self, target, TRUE);
    action();
    if (attached) ::AttachThreadInput(self, target, FALSE);
}

// The real cursor follows the posted points, so that a program that tracks the mouse
// (TrackMouseEvent, GetCursorPos) sees it where the messages say it is.
void moveCursorTo(HWND window, POINT client) {
    ::ClientToScreen(window, &client);
    ::SetCursorPos(client.x, client.y);
}

// One mouse event at an absolute screen point (SendInput counts 0..65535 across the screen).
void sendMouse(DWORD buttons, POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    const int width = std::max(2, ::GetSystemMetrics(SM_CXSCREEN));
    const int height = std::max(2, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dx = ::MulDiv(screen.x, 65535, width - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    ::SendInput(1, &input, sizeof input);
    // A short pause after each event gives the program time to react, as a hand would.
    pause(Milliseconds(25));
}

} // namespace

void mouseClick(POINT screen) {
    sendMouse(0, screen);
    sendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    sendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void mouseDrag(POINT from, POINT to, int steps) {
    if (steps < 1) steps = 1;
    sendMouse(0, from);
    sendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int i = 1; i <= steps; ++i)
        sendMouse(0, {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    sendMouse(MOUSEEVENTF_LEFTUP, to);
}

void postCommand(HWND window, int id, int code, HWND controlWindow) {
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, code),
                   reinterpret_cast<LPARAM>(controlWindow));
}

LRESULT sendCommand(HWND window, int id, int code, HWND controlWindow) {
    return ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, code),
                          reinterpret_cast<LPARAM>(controlWindow));
}

void clickButton(HWND button) {
    ::PostMessageW(button, BM_CLICK, 0, 0);
}

void clickAt(HWND window, POINT p, WPARAM keys) {
    moveCursorTo(window, p);
    ::PostMessageW(window, WM_MOUSEMOVE, keys, pointParam(p));
    ::PostMessageW(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, pointParam(p));
    ::PostMessageW(window, WM_LBUTTONUP, keys, pointParam(p));
}

void rightClickAt(HWND window, POINT p) {
    ::PostMessageW(window, WM_MOUSEMOVE, 0, pointParam(p));
    ::PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, pointParam(p));
    ::PostMessageW(window, WM_RBUTTONUP, 0, pointParam(p));
}

void doubleClickAt(HWND window, POINT p) {
    clickAt(window, p);
    ::PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, pointParam(p));
    ::PostMessageW(window, WM_LBUTTONUP, 0, pointParam(p));
}

void dragBy(HWND window, POINT from, POINT to, int steps) {
    if (steps < 1) steps = 1;
    // Sent one by one, so each is handled before the next is computed: a program that moves
    // its window while dragging sees the later points relative to the moved window, as the
    // points are expressed relative to where the press point is now. The timeout lets a
    // program that starts a loop of its own on the press go on receiving them.
    auto send = [&](UINT message, WPARAM keys, POINT client) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(window, message, keys, pointParam(client), SMTO_NORMAL, 1000,
                              &ignored);
    };
    moveCursorTo(window, from);
    send(WM_MOUSEMOVE, 0, from);
    POINT pressScreen = from;
    ::ClientToScreen(window, &pressScreen);
    send(WM_LBUTTONDOWN, MK_LBUTTON, from);
    for (int i = 1; i <= steps; ++i) {
        const POINT targetScreen{pressScreen.x + (to.x - from.x) * i / steps,
                                 pressScreen.y + (to.y - from.y) * i / steps};
        ::SetCursorPos(targetScreen.x, targetScreen.y);
        POINT client = targetScreen;
        ::ScreenToClient(window, &client);
        send(WM_MOUSEMOVE, MK_LBUTTON, client);
    }
    POINT end{pressScreen.x + to.x - from.x, pressScreen.y + to.y - from.y};
    ::ScreenToClient(window, &end);
    send(WM_LBUTTONUP, 0, end);
}

void typeText(HWND window, const std::wstring& text) {
    for (wchar_t c : text)
        ::PostMessageW(window, WM_CHAR, c, 1);
}

void setText(HWND window, const std::wstring& text) {
    ::SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void pressKey(HWND window, UINT virtualKey, unsigned modifiers) {
    if (modifiers == noModifier) {
        const UINT scan = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
        const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
        const LPARAM up = down | (1LL << 30) | (1LL << 31);
        ::PostMessageW(window, WM_KEYDOWN, virtualKey, down);
        ::PostMessageW(window, WM_KEYUP, virtualKey, up);
        return;
    }
    // Posted keys leave the key state alone, so the held modifiers are typed as real input:
    // each key reaches the window with the focus, and GetKeyState there shows what was held
    // when that key was pressed.
    withAttachedInput(window, [&] { ::SetForegroundWindow(::GetAncestor(window, GA_ROOT)); });
    setFocus(window);
    std::vector<WORD> held;
    if (modifiers & control) held.push_back(VK_CONTROL);
    if (modifiers & shift) held.push_back(VK_SHIFT);
    if (modifiers & alt) held.push_back(VK_MENU);
    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD vk : held)
        key(vk, false);
    key(static_cast<WORD>(virtualKey), false);
    key(static_cast<WORD>(virtualKey), true);
    for (auto vk = held.rbegin(); vk != held.rend(); ++vk)
        key(*vk, true);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void scrollBar(HWND bar, int code, int position) {
    const bool vertical = (::GetWindowLongPtrW(bar, GWL_STYLE) & SBS_VERT) != 0;
    ::PostMessageW(::GetParent(bar), vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position),
                   reinterpret_cast<LPARAM>(bar));
}

void scrollWindow(HWND window, bool vertical, int code, int position) {
    ::PostMessageW(window, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
}

void wheel(HWND window, int clicks, POINT client) {
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    ::PostMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<short>(clicks * WHEEL_DELTA)),
                   pointParam(screen));
}

void setFocus(HWND window) {
    withAttachedInput(window, [&] { ::SetFocus(window); });
}

HWND focusedWindow(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void settle(HWND window) {
    // The sent WM_NULL is answered once the thread looks at its queue again; WaitForInputIdle
    // adds Wine's idle report. Neither sees the posted messages still waiting.
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    if (HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId)) {
        ::WaitForInputIdle(process, 2000);
        ::CloseHandle(process);
    }
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

} // namespace gui_test
