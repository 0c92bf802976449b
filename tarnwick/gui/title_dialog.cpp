#include "tarnwick/gui/title_dialog.hpp"

#include "platform/win32/wide_text.hpp"
#include "tarnwick/engine/conversion.hpp"
#include "tarnwick/gui/resource_ids.h"

#include <string>

namespace tarnwick::gui {

namespace {

std::string editText(HWND edit) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return platform::wideToUtf8(text);
}

} // namespace

TitleDialog::TitleDialog(tarnwick::Language language, tarnwick::TitleDialogValues& values)
    : SkinnedDialog(IDD_TITLE, language), values_(values) {}

void TitleDialog::onInit() {
    for (int edit : {IDC_TITLE_EDIT, IDC_COPYRIGHT_EDIT})
        ::SendMessageW(item(edit), EM_LIMITTEXT, tarnwick::maxDialogCharacters, 0);
    ::SetWindowTextW(item(IDC_TITLE_EDIT), platform::utf8ToWide(values_.title).c_str());
    setToggleState(IDC_PROTECT_TOGGLE, toggleOff);
    setToggleState(IDC_RATE_TOGGLE, values_.rateLocked ? toggleLocked : toggleOff);
}

bool TitleDialog::onCommand(int id, int, HWND) {
    switch (id) {
    case IDC_CLEAR:
        clear();
        return true;
    case IDOK:
        store();
        close(IDOK);
        return true;
    case IDCANCEL:
        close(IDCANCEL);
        return true;
    case IDC_POWER:
        close(powerPressed);
        return true;
    default:
        return false;
    }
}

void TitleDialog::clear() {
    ::SetWindowTextW(item(IDC_TITLE_EDIT), L"");
    ::SetWindowTextW(item(IDC_COPYRIGHT_EDIT), L"");
    setToggleState(IDC_PROTECT_TOGGLE, toggleOff);
    if (toggleState(IDC_RATE_TOGGLE) == toggleOn) setToggleState(IDC_RATE_TOGGLE, toggleOff);
}

void TitleDialog::store() {
    values_.title = editText(item(IDC_TITLE_EDIT));
    values_.copyright = editText(item(IDC_COPYRIGHT_EDIT));
    values_.protect = toggleState(IDC_PROTECT_TOGGLE) != toggleOff;
    values_.rateMode = toggleState(IDC_RATE_TOGGLE);
}

} // namespace tarnwick::gui
