#include "tarnwick/gui/about_dialog.hpp"

#include "tarnwick/gui/resource_ids.h"

#include <shellapi.h>

namespace tarnwick::gui {

AboutDialog::AboutDialog(tarnwick::Language language) : SkinnedDialog(IDD_ABOUT, language) {}

bool AboutDialog::onCommand(int id, int code, HWND) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        close(IDOK);
        return true;
    case IDC_POWER:
        close(powerPressed);
        return true;
    case IDC_ABOUT_LINK:
        if (code == STN_CLICKED)
            ::ShellExecuteW(window(), L"open", projectPage, nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    default:
        return false;
    }
}

INT_PTR AboutDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    // The link line looks and feels like one: blue, with the hand cursor.
    if (message == WM_SETCURSOR && reinterpret_cast<HWND>(wParam) == item(IDC_ABOUT_LINK)) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        ::SetWindowLongPtrW(window(), DWLP_MSGRESULT, TRUE);
        handled = true;
        return TRUE;
    }
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == item(IDC_ABOUT_LINK))
        ::SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 192));
    return FALSE;
}

} // namespace tarnwick::gui
