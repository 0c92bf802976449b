#include "chimewright/gui/copyright_dialog.hpp"

#include "chimewright/gui/resource_ids.hpp"

namespace cw::gui {

namespace {

// The settings file keeps what a 1024-character buffer holds.
constexpr int maxCopyright = 1023;

INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrW(dialog, GWLP_USERDATA, l);
        const auto* text = reinterpret_cast<const std::wstring*>(l);
        ::SendDlgItemMessageW(dialog, CW_COPYRIGHT_TEXT, EM_SETLIMITTEXT, maxCopyright, 0);
        ::SetDlgItemTextW(dialog, CW_COPYRIGHT_TEXT, text->c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(w) == IDOK) {
            auto* text =
                reinterpret_cast<std::wstring*>(::GetWindowLongPtrW(dialog, GWLP_USERDATA));
            text->assign(static_cast<std::size_t>(maxCopyright) + 1, L'\0');
            const UINT length =
                ::GetDlgItemTextW(dialog, CW_COPYRIGHT_TEXT, text->data(), maxCopyright + 1);
            text->resize(length);
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(w) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::optional<std::wstring> editCopyright(HWND owner, const std::wstring& current) {
    std::wstring text = current;
    const INT_PTR answer =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(CW_COPYRIGHT_DIALOG), owner,
                          procedure, reinterpret_cast<LPARAM>(&text));
    if (answer != IDOK) return std::nullopt;
    return text;
}

} // namespace cw::gui
