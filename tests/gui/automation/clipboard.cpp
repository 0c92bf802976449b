#include "tests/gui/automation/clipboard.hpp"

#include "tests/gui/automation/wait.hpp"

#include <cstring>
#include <windows.h>

namespace gui_test {

namespace {

class OpenClipboard {
  public:
    OpenClipboard() {
        if (!pollUntil([] { return ::OpenClipboard(nullptr) != FALSE; }, Milliseconds(3000)))
            throw AutomationError("the clipboard stayed opened by another program");
    }
    ~OpenClipboard() { ::CloseClipboard(); }
    OpenClipboard(const OpenClipboard&) = delete;
    OpenClipboard& operator=(const OpenClipboard&) = delete;
};

} // namespace

std::optional<std::wstring> clipboardText() {
    OpenClipboard open;
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!text) return std::nullopt;
    std::wstring copy(text, wcsnlen(text, ::GlobalSize(data) / sizeof(wchar_t)));
    ::GlobalUnlock(data);
    return copy;
}

void setClipboardText(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) throw AutomationError("out of memory for the clipboard text");
    std::memcpy(::GlobalLock(block), text.c_str(), bytes);
    ::GlobalUnlock(block);
    OpenClipboard open;
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_UNICODETEXT, block)) {
        ::GlobalFree(block);
        throw AutomationError("SetClipboardData failed");
    }
}

void clearClipboard() {
    OpenClipboard open;
    ::EmptyClipboard();
}

} // namespace gui_test
