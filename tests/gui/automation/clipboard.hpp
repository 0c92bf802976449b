// The clipboard's Unicode text, read and set from the test process (the clipboard is shared
// by all processes of the desktop). Opening is retried while another process holds it.
#pragma once

#include <optional>
#include <string>

namespace gui_test {

// CF_UNICODETEXT; nothing when the clipboard holds no text.
std::optional<std::wstring> clipboardText();
// Empties the clipboard and puts `text` on it. Throws AutomationError when it stays locked.
void setClipboardText(const std::wstring& text);
// Empties it.
void clearClipboard();

} // namespace gui_test
