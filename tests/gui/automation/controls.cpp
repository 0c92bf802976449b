#include "tests/gui/automation/controls.hpp"

#include "tests/gui/automation/windows.hpp"

#include <algorithm>

namespace gui_test {

namespace {

bool isCombo(HWND window) {
    return className(window) == L"ComboBox";
}

} // namespace

std::vector<std::wstring> listItems(HWND window) {
    const bool combo = isCombo(window);
    const UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::wstring> items;
    const LRESULT count = ::SendMessageW(window, getCount, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(window, getLength, i, 0);
        std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        // Wine and Windows copy these texts between processes themselves.
        const LRESULT copied =
            ::SendMessageW(window, getText, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
        items.push_back(std::move(text));
    }
    return items;
}

int selectedIndex(HWND window) {
    return static_cast<int>(
        ::SendMessageW(window, isCombo(window) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

int checkState(HWND button) {
    return static_cast<int>(::SendMessageW(button, BM_GETCHECK, 0, 0));
}

bool isChecked(HWND button) {
    return checkState(button) == BST_CHECKED;
}

ScrollState scrollState(HWND bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    // Sends SBM_GETSCROLLINFO, whose record Wine copies between the processes itself.
    ::GetScrollInfo(bar, SB_CTL, &info);
    return {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos, info.nTrackPos};
}

int editLimit(HWND edit) {
    return static_cast<int>(::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
}

} // namespace gui_test
