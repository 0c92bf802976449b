#include "chimewright/gui/folder_browser.hpp"

#include <shlobj.h>

namespace cw::gui {

namespace {

int CALLBACK onBrowserEvent(HWND browser, UINT event, LPARAM, LPARAM folder) {
    if (event == BFFM_INITIALIZED && folder)
        ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    return 0;
}

} // namespace

std::optional<std::wstring> browseForFolder(HWND owner, const std::wstring& prompt,
                                            const std::wstring& preselected) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = onBrowserEvent;
    info.lParam = preselected.empty() ? 0 : reinterpret_cast<LPARAM>(preselected.c_str());
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool named = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    ::CoTaskMemFree(chosen);
    if (!named || path[0] == L'\0') return std::nullopt;
    return std::wstring(path);
}

} // namespace cw::gui
