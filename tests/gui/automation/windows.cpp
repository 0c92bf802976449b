#include "tests/gui/automation/windows.hpp"

#include "tests/gui/automation/process.hpp"
#include "tests/gui/automation/text.hpp"

#include <cstdio>

namespace gui_test {

namespace {

constexpr UINT textTimeoutMs = 2000;

RECT relativeToParent(HWND window, const RECT& screen) {
    const HWND parent = ::GetAncestor(window, GA_PARENT);
    if (!parent || parent == ::GetDesktopWindow()) return screen;
    RECT rect = screen;
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void collect(HWND window, int depth, std::vector<WindowInfo>& tree) {
    WindowInfo info = describe(window);
    info.depth = depth;
    tree.push_back(std::move(info));
    for (HWND child : children(window))
        collect(child, depth + 1, tree);
}

std::string styleFlags(const WindowInfo& info) {
    std::string flags;
    if (!info.visible) flags += " hidden";
    if (!info.enabled) flags += " disabled";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, " style=%08lx ex=%08lx",
                  static_cast<unsigned long>(info.style), static_cast<unsigned long>(info.exStyle));
    return flags + buffer;
}

std::string describeQuery(const WindowQuery& query) {
    if (!query.description.empty()) return query.description;
    std::string text = "a top-level window";
    if (!query.className.empty()) text += " of class \"" + toUtf8(query.className) + "\"";
    if (query.text) text += " with text \"" + toUtf8(*query.text) + "\"";
    if (query.owner) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%p", static_cast<void*>(*query.owner));
        text += std::string(" owned by ") + buffer;
    }
    if (query.predicate) text += " (with a further condition)";
    return text;
}

bool matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !::IsWindowVisible(window)) return false;
    if (query.enabledOnly && !::IsWindowEnabled(window)) return false;
    if (!query.className.empty() && className(window) != query.className) return false;
    if (query.owner && ::GetWindow(window, GW_OWNER) != *query.owner) return false;
    if (query.text && windowText(window) != *query.text) return false;
    return !query.predicate || query.predicate(describe(window));
}

} // namespace

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, textTimeoutMs,
                               &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(window, WM_GETTEXT, text.size(),
                               reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                               textTimeoutMs, &copied))
        return {};
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    const int length = ::GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

WindowInfo describe(HWND window) {
    WindowInfo info;
    info.handle = window;
    info.className = className(window);
    info.style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    info.exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
    if (info.style & WS_CHILD) {
        info.id = ::GetDlgCtrlID(window);
        info.parent = ::GetAncestor(window, GA_PARENT);
    }
    info.text = windowText(window);
    ::GetWindowRect(window, &info.screenRect);
    ::GetClientRect(window, &info.clientRect);
    info.rect = relativeToParent(window, info.screenRect);
    info.visible = (info.style & WS_VISIBLE) != 0;
    info.enabled = ::IsWindowEnabled(window) != FALSE;
    info.owner = ::GetWindow(window, GW_OWNER);
    ::GetWindowThreadProcessId(window, &info.processId);
    return info;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> found;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        found.push_back(child);
    return found;
}

std::vector<WindowInfo> windowTree(HWND root) {
    std::vector<WindowInfo> tree;
    if (::IsWindow(root)) collect(root, 0, tree);
    return tree;
}

std::string formatTree(const std::vector<WindowInfo>& tree) {
    std::string out;
    for (const WindowInfo& info : tree) {
        char head[96];
        std::snprintf(head, sizeof head, "%p ", static_cast<void*>(info.handle));
        out += std::string(static_cast<std::size_t>(info.depth) * 2, ' ') + head +
               toUtf8(info.className);
        if (info.depth > 0) out += " id=" + std::to_string(info.id);
        out += " \"" + toUtf8(info.text) + "\" " + formatRect(info.rect) + styleFlags(info) + "\n";
    }
    return out;
}

std::string formatTree(HWND root) {
    return formatTree(windowTree(root));
}

HWND findChild(HWND parent, int id) {
    for (HWND child : children(parent)) {
        if (::GetDlgCtrlID(child) == id) return child;
        if (HWND deeper = findChild(child, id)) return deeper;
    }
    return nullptr;
}

HWND childById(HWND parent, int id) {
    if (HWND child = findChild(parent, id)) return child;
    throw AutomationError("no control with id " + std::to_string(id) + " in\n" +
                          formatTree(parent));
}

HWND findDescendantByClass(HWND parent, const std::wstring& name) {
    for (HWND child : children(parent)) {
        if (className(child) == name) return child;
        if (HWND deeper = findDescendantByClass(child, name)) return deeper;
    }
    return nullptr;
}

std::vector<HWND> topLevelWindows(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId) s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> topLevelWindows(const Process& process) {
    return topLevelWindows(process.id());
}

HWND findWindow(const Process& process, const WindowQuery& query) {
    for (HWND window : topLevelWindows(process))
        if (matches(window, query)) return window;
    return nullptr;
}

HWND waitForWindow(const Process& process, const WindowQuery& query, Milliseconds timeout) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindow(process, query)) != nullptr; },
              describeQuery(query) + " of process " + std::to_string(process.id()), timeout,
              [&] { return describeProcessWindows(process); });
    return found;
}

HWND findWindowOfAnyProcess(const WindowQuery& query) {
    struct Search {
        const WindowQuery* query;
        HWND found;
    } search{&query, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (!matches(window, *s.query)) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindowOfAnyProcess(const WindowQuery& query, Milliseconds timeout) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findWindowOfAnyProcess(query)) != nullptr; },
              describeQuery(query) + " of any process", timeout);
    return found;
}

void waitForWindowGone(HWND window, Milliseconds timeout, bool hiddenCounts) {
    const std::string name = toUtf8(className(window)) + " \"" + toUtf8(windowText(window)) + "\"";
    waitUntil([&] { return !::IsWindow(window) || (hiddenCounts && !::IsWindowVisible(window)); },
              "the window " + name + " to close", timeout);
}

std::string describeProcessWindows(const Process& process) {
    std::string out = process.running()
                          ? "windows of process " + std::to_string(process.id()) + ":\n"
                          : "process " + std::to_string(process.id()) + " has ended\n";
    for (HWND window : topLevelWindows(process))
        out += formatTree(window);
    return out;
}

POINT center(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string formatRect(const RECT& rect) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "(%ld,%ld %ldx%ld)", static_cast<long>(rect.left),
                  static_cast<long>(rect.top), static_cast<long>(rect.right - rect.left),
                  static_cast<long>(rect.bottom - rect.top));
    return buffer;
}

} // namespace gui_test
