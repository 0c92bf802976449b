#include "tarnwick/gui/main_window.hpp"

#include "tarnwick/engine/conversion.hpp"
#include "tarnwick/gui/about_dialog.hpp"
#include "tarnwick/gui/resource_ids.h"
#include "tarnwick/gui/window_port.hpp"

#include <shellapi.h>
#include <string>

namespace tarnwick::gui {

namespace {

// The system-menu entries the skinned window has no use for (restore, move, size,
// minimise, maximise and the separator) are its first six.
constexpr int unusedSystemMenuEntries = 6;

} // namespace

MainWindow::MainWindow(tarnwick::Language language) : SkinnedDialog(IDD_MAIN, language) {}

void MainWindow::onInit() {
    HICON icon =
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TARNWICK),
                                        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    ::SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SetWindowTextW(window(), L"Tarnwick");
    ::SetWindowLongPtrW(window(), GWL_STYLE, ::GetWindowLongPtrW(window(), GWL_STYLE) | WS_SYSMENU);
    if (HMENU menu = ::GetSystemMenu(window(), FALSE))
        for (int i = 0; i < unusedSystemMenuEntries; ++i)
            ::DeleteMenu(menu, 0, MF_BYPOSITION);
    ::SetForegroundWindow(window());
    ::DragAcceptFiles(window(), TRUE);
}

bool MainWindow::onCommand(int id, int, HWND) {
    switch (id) {
    case IDOK:
    case IDCANCEL: // Escape and the system menu's Close end the program as OK does
        close(IDOK);
        return true;
    case IDC_ABOUT: {
        AboutDialog about(language());
        if (showOver(about) == powerPressed) close(IDOK);
        return true;
    }
    default:
        return false;
    }
}

INT_PTR MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) {
    if (message == WM_DROPFILES) {
        onDrop(reinterpret_cast<HDROP>(wParam));
        handled = true;
        return TRUE;
    }
    if (message == WM_SETCURSOR && busy_) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        ::SetWindowLongPtrW(window(), DWLP_MSGRESULT, TRUE);
        handled = true;
        return TRUE;
    }
    return FALSE;
}

void MainWindow::onDrop(HDROP drop) {
    // While a file converts, further drops are refused: the shell's by drop acceptance being
    // off, posted ones (which arrive regardless) here.
    if (converting_) {
        ::DragFinish(drop);
        return;
    }
    converting_ = true;
    ::DragAcceptFiles(window(), FALSE);
    // Only the first file counts.
    std::wstring first;
    if (::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) > 0) {
        first.resize(::DragQueryFileW(drop, 0, nullptr, 0) + 1);
        first.resize(::DragQueryFileW(drop, 0, first.data(), static_cast<UINT>(first.size())));
    }
    ::DragFinish(drop);

    if (!first.empty()) {
        WindowPort port(*this);
        tarnwick::convertDroppedFile(std::filesystem::path(first), port);
    }
    converting_ = false;
    // Power in one of the conversion's dialogs ends the program once the conversion has ended.
    if (powerPressed_) {
        close(IDOK);
        return;
    }
    ::DragAcceptFiles(window(), TRUE);
}

INT_PTR MainWindow::showOver(SkinnedDialog& dialog, bool redrawAfter) {
    RECT saved;
    ::GetWindowRect(window(), &saved);
    const int width = saved.right - saved.left;
    const int height = saved.bottom - saved.top;
    ::SetWindowPos(window(), nullptr, saved.left + width / 2, saved.top + height / 2, 0, 0,
                   SWP_NOZORDER | SWP_NOACTIVATE);

    const INT_PTR result = dialog.run(window(), POINT{saved.left, saved.top});

    const RECT left = result == -1 ? saved : dialog.closedRect();
    ::SetWindowPos(window(), nullptr, left.left, left.top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (redrawAfter)
        ::RedrawWindow(window(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (result == powerPressed) powerPressed_ = true;
    return result;
}

void MainWindow::setBusy(bool busy) {
    busy_ = busy;
    ::SetCursor(::LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

} // namespace tarnwick::gui
