#include "platform/win32/clipboard.hpp"

#include <cstring>

namespace platform {

namespace {

// Zeros after the text, so that a reader that expects a terminator finds one.
constexpr std::size_t padding = 8;

} // namespace

bool setClipboardAnsiText(HWND owner, const std::string& bytes) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + padding);
    if (!block) return false;
    void* memory = ::GlobalLock(block);
    if (!memory) {
        ::GlobalFree(block);
        return false;
    }
    std::memcpy(memory, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(block);
        return false;
    }
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_TEXT, block) != nullptr;
    ::CloseClipboard();
    if (!placed) ::GlobalFree(block); // the clipboard owns it only once placed
    return placed;
}

std::optional<std::string> clipboardAnsiText(HWND owner) {
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(owner)) return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE block = ::GetClipboardData(CF_TEXT)) {
        if (const char* memory = static_cast<const char*>(::GlobalLock(block))) {
            const std::size_t size = ::GlobalSize(block);
            std::size_t length = 0;
            while (length < size && memory[length] != '\0')
                ++length;
            text = std::string(memory, length);
            ::GlobalUnlock(block);
        }
    }
    ::CloseClipboard();
    return text;
}

} // namespace platform
