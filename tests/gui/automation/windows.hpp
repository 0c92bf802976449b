// Reading another process's windows: what one window is (WindowInfo), its children and the
// whole tree, and waiting for a top-level window of a process.
#pragma once

#include "tests/gui/automation/wait.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace gui_test {

class Process;

struct WindowInfo {
    HWND handle = nullptr;
    std::wstring className;
    int id = 0;        // GetDlgCtrlID: the control id of a child
    std::wstring text; // WM_GETTEXT
    RECT rect{};       // child: relative to the parent's client area; top level: screen
    RECT screenRect{}; // GetWindowRect
    RECT clientRect{}; // GetClientRect (0, 0, width, height)
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false; // WS_VISIBLE of the window itself
    bool enabled = false;
    HWND owner = nullptr;  // GetWindow(GW_OWNER)
    HWND parent = nullptr; // the parent window; nullptr for a top-level window
    int depth = 0;         // in a tree: 0 for its root
    DWORD processId = 0;

    int width() const { return rect.right - rect.left; }
    int height() const { return rect.bottom - rect.top; }
    bool hasStyle(DWORD bits) const { return (style & bits) == bits; }
};

// Everything about one window. Texts are read with a timeout, so a hung target does not
// hang the test (its text is empty then).
WindowInfo describe(HWND window);
// The window's text (WM_GETTEXT with a timeout).
std::wstring windowText(HWND window);
std::wstring className(HWND window);

// Direct children in Z order.
std::vector<HWND> children(HWND parent);
// The window and all its descendants, depth first, each with its depth.
std::vector<WindowInfo> windowTree(HWND root);
// One line per window, indented by depth: class, id, text, rectangle, style flags.
std::string formatTree(const std::vector<WindowInfo>& tree);
std::string formatTree(HWND root);

// The child (at any depth) with control id `id`; nullptr when there is none.
HWND findChild(HWND parent, int id);
// Like findChild, but throws AutomationError with the parent's tree when it is missing.
HWND childById(HWND parent, int id);
// The first descendant of class `className` (for instance L"SysTreeView32"); nullptr if none.
HWND findDescendantByClass(HWND parent, const std::wstring& className);

// Which top-level window to look for. Empty fields do not restrict.
struct WindowQuery {
    std::wstring className{};           // e.g. L"mainWClass", L"#32770" for a dialog
    std::optional<std::wstring> text{}; // the exact window text (L"" for an empty one)
    std::optional<HWND> owner{};        // the exact owner (nullptr: unowned)
    bool visibleOnly = true;
    bool enabledOnly = false;
    std::function<bool(const WindowInfo&)> predicate{};
    std::string description{}; // how the failure message names it; built when empty
};

// The top-level windows of a process, in Z order (topmost first).
std::vector<HWND> topLevelWindows(DWORD processId);
std::vector<HWND> topLevelWindows(const Process& process);
// The first top-level window of the process that matches; nullptr when none does.
HWND findWindow(const Process& process, const WindowQuery& query);
// Waits for one; throws AutomationError naming the query and listing the process's windows.
HWND waitForWindow(const Process& process, const WindowQuery& query,
                   Milliseconds timeout = defaultTimeout);
// Waits until `window` is gone (destroyed, or hidden when `hiddenCounts`).
void waitForWindowGone(HWND window, Milliseconds timeout = defaultTimeout,
                       bool hiddenCounts = true);
// The same over the windows of every process (a program the one under test started).
HWND findWindowOfAnyProcess(const WindowQuery& query);
HWND waitForWindowOfAnyProcess(const WindowQuery& query, Milliseconds timeout = defaultTimeout);
// All top-level windows of the process with their trees, for failure messages.
std::string describeProcessWindows(const Process& process);

// Helpers for rectangles.
POINT center(const RECT& rect);
std::string formatRect(const RECT& rect);

} // namespace gui_test
