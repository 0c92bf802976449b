#include "tarnwick/gui/message_dialog.hpp"

#include "platform/win32/wide_text.hpp"
#include "tarnwick/gui/resource_ids.h"

#include <utility>

namespace tarnwick::gui {

MessageDialog::MessageDialog(tarnwick::Language language, std::string text, bool success)
    : SkinnedDialog(IDD_MESSAGE, language), text_(std::move(text)), success_(success) {}

void MessageDialog::onInit() {
    setPictureBitmap(IDC_MESSAGE_PICTURE, success_ ? IDB_SUCCESS_PICTURE : IDB_ERROR_PICTURE);
    ::SetWindowTextW(item(IDC_MESSAGE_TEXT), platform::utf8ToWide(text_).c_str());
}

bool MessageDialog::onCommand(int id, int, HWND) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        close(IDOK);
        return true;
    case IDC_POWER:
        close(powerPressed);
        return true;
    default:
        return false;
    }
}

} // namespace tarnwick::gui
