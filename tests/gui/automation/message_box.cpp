#include "tests/gui/automation/message_box.hpp"

#include "tests/gui/automation/input.hpp"
#include "tests/gui/automation/process.hpp"
#include "tests/gui/automation/text.hpp"
#include "tests/gui/automation/windows.hpp"

namespace gui_test {

namespace {

bool isFolderBrowser(HWND dialog) {
    return findDescendantByClass(dialog, L"SysTreeView32") != nullptr;
}

bool isMessageBoxCandidate(const WindowInfo& info) {
    return info.className == L"#32770" && !isFolderBrowser(info.handle);
}

} // namespace

const DialogButton& MessageBoxInfo::button(int id) const {
    for (const DialogButton& b : buttons)
        if (b.id == id) return b;
    throw AutomationError("the message box \"" + toUtf8(caption) + "\" has no button " +
                          std::to_string(id) + "\n" + formatTree(handle));
}

std::vector<int> MessageBoxInfo::buttonIds() const {
    std::vector<int> ids;
    for (const DialogButton& b : buttons)
        ids.push_back(b.id);
    return ids;
}

MessageBoxInfo readMessageBox(HWND dialog) {
    MessageBoxInfo box;
    box.handle = dialog;
    box.caption = windowText(dialog);
    box.owner = ::GetWindow(dialog, GW_OWNER);
    for (HWND child : children(dialog)) {
        const WindowInfo info = describe(child);
        if (!info.visible) continue;
        if (info.className == L"Static") {
            if ((info.style & SS_TYPEMASK) == SS_ICON) {
                box.hasIcon = true;
            } else if (!info.text.empty()) {
                if (!box.text.empty()) box.text += L"\n";
                box.text += info.text;
            }
        } else if (info.className == L"Button") {
            const DWORD type = info.style & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)
                box.buttons.push_back({info.id, info.text, child});
        }
    }
    return box;
}

MessageBoxInfo waitForMessageBox(const Process& process, Milliseconds timeout, HWND owner) {
    WindowQuery query;
    query.className = L"#32770";
    query.enabledOnly = true;
    if (owner) query.owner = owner;
    query.predicate = isMessageBoxCandidate;
    query.description = "a message box";
    return readMessageBox(waitForWindow(process, query, timeout));
}

bool noMessageBox(const Process& process) {
    WindowQuery query;
    query.className = L"#32770";
    query.predicate = isMessageBoxCandidate;
    return findWindow(process, query) == nullptr;
}

void pressButton(const MessageBoxInfo& box, int id) {
    const DialogButton& b = box.button(id);
    postCommand(box.handle, id, BN_CLICKED, b.handle);
}

void answer(const MessageBoxInfo& box, int id, Milliseconds timeout) {
    pressButton(box, id);
    waitForWindowGone(box.handle, timeout);
}

} // namespace gui_test
