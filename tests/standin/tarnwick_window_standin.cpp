// A stand-in for tarnwick's window program that misbehaves on purpose, so that the driver's
// result codes can be seen. It shows a main window with a "Dropspace" child and takes drops;
// what it does then is the first word of the text file beside it, named after itself plus
// ".how":
//   late-title              shows the title dialog only 3 s after the drop
//   no-message              closes the title dialog on OK and shows nothing more
//   message-without-power   shows a message dialog that has no Power button
//   no-exit                 shows the message dialog, but Power does not end it
//   normal                  ends on Power, as tarnwick does
// Every drop's first file name is written to <itself>.drops (UTF-8, a line each).
#include "platform/files.hpp"
#include "platform/text.hpp"

#include <string>
#include <windows.h>
// (after windows.h, which it needs)
#include <shellapi.h>

namespace {

std::string mode;
std::string self;
HWND mainWindow = nullptr;

constexpr const wchar_t* mainClass = L"TarnwickStandInMain";
constexpr const wchar_t* dialogClass = L"TarnwickStandInDialog";
constexpr int idPower = 1015;

HWND control(HWND parent, const wchar_t* kind, const wchar_t* text, int id, int x, int y) {
    return ::CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE, x, y, 80, 16, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// An owned window with empty text, as tarnwick's dialogs are; `kind` tells the procedure
// which one it is.
HWND showDialog(bool title, bool withPower) {
    HWND dialog = ::CreateWindowExW(0, dialogClass, L"", WS_POPUP | WS_VISIBLE, 100, 100, 210, 108,
                                    mainWindow, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(dialog, GWLP_USERDATA, title ? 1 : 2);
    if (title) {
        control(dialog, L"EDIT", L"", 1001, 77, 23);
        control(dialog, L"EDIT", L"", 1002, 77, 43);
        control(dialog, L"BUTTON", L"", 1023, 76, 62);
        control(dialog, L"BUTTON", L"", 1024, 181, 62);
    }
    control(dialog, L"BUTTON", L"OK", IDOK, 130, 85);
    if (withPower) control(dialog, L"BUTTON", L"Power", idPower, 182, 72);
    return dialog;
}

void recordDrop(HDROP drop) {
    wchar_t name[MAX_PATH * 2] = {};
    ::DragQueryFileW(drop, 0, name, static_cast<UINT>(std::size(name)));
    const platform::Path log = platform::pathFromUtf8(self + ".drops");
    std::string lines = platform::readWholeFile(log).value_or("");
    lines += platform::pathToUtf8(std::filesystem::path(name)) + "\n";
    platform::writeWholeFile(log, lines.data(), lines.size());
}

LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DROPFILES:
        recordDrop(reinterpret_cast<HDROP>(wParam));
        ::DragFinish(reinterpret_cast<HDROP>(wParam));
        if (mode == "late-title") ::Sleep(3000);
        showDialog(true, true);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND) return ::DefWindowProcW(window, message, wParam, lParam);
    const bool title = ::GetWindowLongPtrW(window, GWLP_USERDATA) == 1;
    const int id = LOWORD(wParam);
    if (title && id == IDOK) {
        ::DestroyWindow(window);
        if (mode != "no-message") showDialog(false, mode != "message-without-power");
    } else if (!title && id == idPower && mode != "no-exit") {
        ::DestroyWindow(mainWindow);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    self = platform::pathToUtf8(platform::modulePath());
    const std::string how =
        platform::readWholeFile(platform::pathFromUtf8(self + ".how")).value_or("");
    mode = how.substr(0, how.find_first_of(" \r\n"));

    WNDCLASSW kind{};
    kind.hInstance = instance;
    kind.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    kind.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    kind.lpfnWndProc = mainProcedure;
    kind.lpszClassName = mainClass;
    ::RegisterClassW(&kind);
    kind.lpfnWndProc = dialogProcedure;
    kind.lpszClassName = dialogClass;
    ::RegisterClassW(&kind);

    mainWindow = ::CreateWindowExW(WS_EX_ACCEPTFILES, mainClass, L"Tarnwick", WS_POPUP, 100, 100,
                                   210, 108, nullptr, nullptr, instance, nullptr);
    control(mainWindow, L"STATIC", L"Dropspace", 1027, 0, 24);
    ::ShowWindow(mainWindow, show);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return 0;
}
