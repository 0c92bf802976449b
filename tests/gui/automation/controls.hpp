// The state of standard controls in another process: list and combo box items, the
// selection, check boxes, scroll-bar controls, an edit's limit.
#pragma once

#include <string>
#include <vector>
#include <windows.h>

namespace gui_test {

// The items of a list box ("ListBox") or of a combo box's list ("ComboBox"), in order.
std::vector<std::wstring> listItems(HWND listOrCombo);
// The selected item's index; -1 when none is selected.
int selectedIndex(HWND listOrCombo);

// BM_GETCHECK: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
int checkState(HWND button);
bool isChecked(HWND button);

struct ScrollState {
    int minimum = 0;
    int maximum = 0;
    int page = 0;
    int position = 0;
    int trackPosition = 0;
};
// A scroll-bar control's range, page and position (SBM_GETSCROLLINFO). A window's own WS_VSCROLL /
// WS_HSCROLL bars cannot be read from outside under Wine; give such a program a scroll-bar control
// or read its effect instead.
ScrollState scrollState(HWND scrollBarControl);

// EM_GETLIMITTEXT.
int editLimit(HWND edit);

} // namespace gui_test
