// Message boxes (and other small dialogs of class "#32770") shown by another process: find
// one, read what it says, press one of its buttons.
#pragma once

#include "tests/gui/automation/wait.hpp"

#include <string>
#include <vector>
#include <windows.h>

namespace gui_test {

class Process;

struct DialogButton {
    int id = 0; // IDOK, IDCANCEL, IDYES, IDNO...
    std::wstring text;
    HWND handle = nullptr;
};

struct MessageBoxInfo {
    HWND handle = nullptr;
    std::wstring caption;
    std::wstring text; // the message as the program gave it ("\r\n" stays), several
                       // static texts joined by "\n"
    std::vector<DialogButton> buttons;
    HWND owner = nullptr;
    bool hasIcon = false;

    // The button with `id`; throws AutomationError when the box has none.
    const DialogButton& button(int id) const;
    std::vector<int> buttonIds() const;
};

// Reads a dialog as a message box: caption, the text of its static controls (not icons),
// its push buttons.
MessageBoxInfo readMessageBox(HWND dialog);

// Waits for a visible, enabled "#32770" dialog of the process that is not a folder browser;
// `owner` narrows it to one owned by that window when given.
MessageBoxInfo waitForMessageBox(const Process& process, Milliseconds timeout = defaultTimeout,
                                 HWND owner = nullptr);
// True while the process shows no message box.
bool noMessageBox(const Process& process);

// Presses the button `id` (WM_COMMAND from that button, posted); throws when it is missing.
void pressButton(const MessageBoxInfo& box, int id);
// Presses it and waits until the box has closed.
void answer(const MessageBoxInfo& box, int id, Milliseconds timeout = defaultTimeout);

} // namespace gui_test
