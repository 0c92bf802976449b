#include "platform/foreign_windows.hpp"

#include "platform/win32/wide_text.hpp"

#include <cstring>
#include <string>
#include <windows.h>

namespace platform {

namespace {

HWND handleOf(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}
WindowRef refOf(HWND window) {
    return reinterpret_cast<WindowRef>(window);
}

DWORD processOf(HWND window) {
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

std::wstring textOf(HWND window) {
    wchar_t text[512];
    const int length = ::GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

// One search over the top-level windows: the first that `test` accepts.
template <typename Test> HWND firstTopLevel(Test test) {
    struct Search {
        Test& test;
        HWND found = nullptr;
    } search{test};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& self = *reinterpret_cast<Search*>(context);
            if (!self.test(window)) return TRUE;
            self.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A block the receiver can read as its own: written into its memory.
LPVOID placeInReceiver(DWORD processId, const std::vector<unsigned char>& record) {
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return nullptr;
    LPVOID block =
        ::VirtualAllocEx(process, nullptr, record.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (block && !::WriteProcessMemory(process, block, record.data(), record.size(), nullptr)) {
        ::VirtualFreeEx(process, block, 0, MEM_RELEASE);
        block = nullptr;
    }
    ::CloseHandle(process);
    return block;
}

HGLOBAL placeInSender(const std::vector<unsigned char>& record) {
    HGLOBAL block = ::GlobalAlloc(GHND, record.size());
    if (!block) return nullptr;
    void* bytes = ::GlobalLock(block);
    if (!bytes) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, record.data(), record.size());
    ::GlobalUnlock(block);
    return block;
}

} // namespace

WindowRef firstTopLevelWindowOf(const ChildProcess& process) {
    const DWORD id = process.id();
    return refOf(firstTopLevel([id](HWND window) { return processOf(window) == id; }));
}

WindowRef untitledWindowOwnedBy(const ChildProcess& process, WindowRef owner) {
    const DWORD id = process.id();
    HWND ownerWindow = handleOf(owner);
    return refOf(firstTopLevel([&](HWND window) {
        return processOf(window) == id && ::IsWindowVisible(window) &&
               ::GetWindowTextLengthW(window) == 0 &&
               ::GetWindow(window, GW_OWNER) == ownerWindow && ::GetParent(window) == ownerWindow;
    }));
}

WindowRef childWithTextPrefix(WindowRef parent, std::string_view prefix) {
    struct Search {
        std::wstring prefix;
        HWND found = nullptr;
    } search{utf8ToWide(prefix)};
    ::EnumChildWindows(
        handleOf(parent),
        [](HWND window, LPARAM context) -> BOOL {
            auto& self = *reinterpret_cast<Search*>(context);
            if (textOf(window).compare(0, self.prefix.size(), self.prefix) != 0) return TRUE;
            self.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return refOf(search.found);
}

WindowRef dialogItem(WindowRef dialog, int id) {
    return refOf(::GetDlgItem(handleOf(dialog), id));
}

ScreenRect windowRect(WindowRef window) {
    RECT rect{};
    ::GetWindowRect(handleOf(window), &rect);
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

void sendText(WindowRef window, std::string_view utf8) {
    const std::wstring text = utf8ToWide(utf8);
    ::SendMessageW(handleOf(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void clickToggle(WindowRef dialog, int id) {
    HWND button = ::GetDlgItem(handleOf(dialog), id);
    ::SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageW(handleOf(dialog), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}

void postCommand(WindowRef window, int id) {
    HWND control = ::GetDlgItem(handleOf(window), id);
    ::PostMessageW(handleOf(window), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
}

DropPlacement dropPlacementHere() {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    const bool wine = ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    return wine ? DropPlacement::receiver : DropPlacement::sender;
}

bool postFileDrop(const ChildProcess& process, WindowRef window,
                  const std::vector<unsigned char>& record, DropPlacement placement) {
    if (placement == DropPlacement::receiver) {
        // The receiver frees the block when it is done with the drop, or when it ends.
        LPVOID block = placeInReceiver(process.id(), record);
        return block &&
               ::PostMessageW(handleOf(window), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
    }
    HGLOBAL block = placeInSender(record);
    if (!block) return false;
    // Posted, the block belongs to the receiver; only a message that was not posted leaves
    // it with us.
    if (::PostMessageW(handleOf(window), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0))
        return true;
    ::GlobalFree(block);
    return false;
}

} // namespace platform
