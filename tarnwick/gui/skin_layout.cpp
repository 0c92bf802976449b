#include "tarnwick/gui/skin_layout.hpp"

#include "tarnwick/gui/resource_ids.h"

#include <windows.h>

namespace tarnwick::gui {

namespace {

using enum ControlKind;

constexpr ControlPlace mainWindow[] = {
    {IDC_ABOUT, pushButton, IDB_ABOUT, 6, 85},
    {IDOK, pushButton, IDB_POWER, 182, 72},
    {IDC_DROPSPACE, picture, IDB_DROPSPACE, 0, 24},
};

constexpr ControlPlace titleDialog[] = {
    {IDC_TITLE_EDIT, text, 0, 77, 23, 115, 14},
    {IDC_COPYRIGHT_EDIT, text, 0, 77, 43, 115, 14},
    {IDC_CLEAR, pushButton, IDB_CLEAR, 6, 85},
    {IDOK, pushButton, IDB_TITLE_OK, 68, 85},
    {IDCANCEL, pushButton, IDB_CANCEL, 130, 85},
    {IDC_POWER, pushButton, IDB_POWER, 182, 72},
    {IDC_PROTECT_TOGGLE, toggle, IDB_TOGGLE, 76, 62},
    {IDC_RATE_TOGGLE, toggle, IDB_TOGGLE, 181, 62},
    // The labels of the fields, in the space left of them.
    {IDC_TITLE_LABEL, text, 0, 6, 24, 68, 13},
    {IDC_COPYRIGHT_LABEL, text, 0, 6, 44, 68, 13},
    {IDC_PROTECT_LABEL, text, 0, 6, 61, 68, 13},
    {IDC_RATE_LABEL, text, 0, 104, 61, 74, 13},
};

constexpr ControlPlace messageDialog[] = {
    {IDC_MESSAGE_PICTURE, picture, IDB_SUCCESS_PICTURE, 0, 24},
    {IDOK, pushButton, IDB_DIALOG_OK, 130, 85},
    {IDC_POWER, pushButton, IDB_POWER, 182, 72},
    {IDC_MESSAGE_TEXT, text, 0, 15, 62, 180, 12},
};

constexpr ControlPlace aboutDialog[] = {
    {IDOK, pushButton, IDB_DIALOG_OK, 130, 85},
    {IDC_POWER, pushButton, IDB_POWER, 182, 72},
    // The lines above Power reach across; the link line stops short of it.
    {IDC_ABOUT_PRODUCT, text, 0, 10, 22, 195, 12},
    {IDC_ABOUT_PURPOSE, text, 0, 10, 34, 195, 12},
    {IDC_ABOUT_NOTICE, text, 0, 10, 46, 195, 12},
    {IDC_ABOUT_LICENCE, text, 0, 10, 58, 195, 12},
    {IDC_ABOUT_LINK, text, 0, 10, 70, 170, 12},
};

} // namespace

int faceCount(ControlKind kind) {
    switch (kind) {
    case pushButton:
        return 4;
    case toggle:
        return 3;
    default:
        return 1;
    }
}

std::span<const ControlPlace> layoutOf(int dialogId) {
    switch (dialogId) {
    case IDD_MAIN:
        return mainWindow;
    case IDD_TITLE:
        return titleDialog;
    case IDD_MESSAGE:
        return messageDialog;
    case IDD_ABOUT:
        return aboutDialog;
    default:
        return {};
    }
}

} // namespace tarnwick::gui
