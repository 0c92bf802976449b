#include "tests/gui/automation/folder_browser.hpp"

#include "tests/gui/automation/input.hpp"
#include "tests/gui/automation/remote_memory.hpp"
#include "tests/gui/automation/screenshot.hpp"
#include "tests/gui/automation/text.hpp"
#include "tests/gui/automation/windows.hpp"

#include <commctrl.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace gui_test {

namespace {

HWND folderTree(HWND browser) {
    return findDescendantByClass(browser, L"SysTreeView32");
}

} // namespace

HWND waitForFolderBrowser(const Process& process, Milliseconds timeout) {
    WindowQuery query;
    query.className = L"#32770";
    query.enabledOnly = true;
    query.predicate = [](const WindowInfo& info) {
        const HWND tree = folderTree(info.handle);
        return tree && ::SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0;
    };
    query.description = "a folder browser";
    return waitForWindow(process, query, timeout);
}

std::wstring selectedFolderName(HWND browser) {
    const HWND tree = folderTree(browser);
    if (!tree) return {};
    const auto item =
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return {};
    // The item record and its text buffer, both in the target, where the tree writes them.
    constexpr std::size_t textChars = MAX_PATH;
    std::vector<unsigned char> block(sizeof(TVITEMW) + textChars * sizeof(wchar_t), 0);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(tree, &processId);
    RemoteBuffer remote(processId, block.data(), block.size());
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText =
        reinterpret_cast<wchar_t*>(static_cast<unsigned char*>(remote.address()) + sizeof(TVITEMW));
    request.cchTextMax = textChars;
    RemoteBuffer record(processId, &request, sizeof request);
    DWORD_PTR ok = 0;
    if (!::SendMessageTimeoutW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(record.address()),
                               SMTO_ABORTIFHUNG, 2000, &ok) ||
        !ok)
        return {};
    std::wstring text(textChars, L'\0');
    remote.read(sizeof(TVITEMW), text.data(), textChars * sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), textChars));
    return text;
}

void selectFolder(HWND browser, const std::filesystem::path& folder, Milliseconds timeout) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(browser, &processId);
    // The shell parses the path: backslashes, no trailing separator, no "." or "..".
    std::filesystem::path clean = std::filesystem::absolute(folder).lexically_normal();
    clean.make_preferred();
    if (!clean.has_filename() && clean.has_relative_path()) clean = clean.parent_path();
    const std::wstring path = clean.wstring();
    RemoteBuffer text(processId, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    const std::wstring name = clean.filename().wstring();
    // Sent, so the string is still there while the browser reads it. Its answer says
    // nothing (Wine's is always 0); the tree's selection does.
    const auto selectionTaken = [&] {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(browser, BFFM_SETSELECTIONW, TRUE,
                              reinterpret_cast<LPARAM>(text.address()), SMTO_ABORTIFHUNG, 2000,
                              &ignored);
        return pollUntil([&] { return selectedFolderName(browser) == name; }, Milliseconds(200));
    };
    try {
        waitUntil(selectionTaken, "the folder browser to select " + toUtf8(path), timeout, [&] {
            return "its selection is \"" + toUtf8(selectedFolderName(browser)) + "\"";
        });
    } catch (const AutomationError&) {
        // The picture shows where the tree stood.
        try {
            screenshotScreen("folder_browser_selection_not_taken");
        } catch (const AutomationError&) {
        }
        throw;
    }
}

void pressOk(HWND browser, Milliseconds timeout) {
    postCommand(browser, IDOK, BN_CLICKED, ::GetDlgItem(browser, IDOK));
    waitForWindowGone(browser, timeout);
}

void pressCancel(HWND browser, Milliseconds timeout) {
    postCommand(browser, IDCANCEL, BN_CLICKED, ::GetDlgItem(browser, IDCANCEL));
    waitForWindowGone(browser, timeout);
}

void chooseFolder(HWND browser, const std::filesystem::path& folder, Milliseconds timeout) {
    selectFolder(browser, folder, timeout);
    pressOk(browser, timeout);
}

} // namespace gui_test
