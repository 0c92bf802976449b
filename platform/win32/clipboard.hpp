// The clipboard's plain (ANSI) text. Windows builds only.
#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace platform {

// Replaces the clipboard's contents with `bytes` as plain text (the bytes, then zeros). False
// when the clipboard cannot be opened or the memory cannot be had.
bool setClipboardAnsiText(HWND owner, const std::string& bytes);

// The clipboard's plain text up to its first NUL; nothing when it holds none or cannot be
// opened.
std::optional<std::string> clipboardAnsiText(HWND owner);

} // namespace platform
