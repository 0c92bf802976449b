// The shell's folder browser (SHBrowseForFolder) shown by another process: wait for it,
// preselect a folder, press OK or Cancel.
#pragma once

#include "tests/gui/automation/wait.hpp"

#include <filesystem>
#include <windows.h>

namespace gui_test {

class Process;

// Waits for a visible "#32770" dialog of the process whose folder tree has been filled.
HWND waitForFolderBrowser(const Process& process, Milliseconds timeout = defaultTimeout);
// Selects `folder` in it (BFFM_SETSELECTIONW, the path placed in the target process) and
// waits until the tree shows it selected; the request is repeated while the browser is
// still filling its tree. Throws AutomationError when the selection does not take.
void selectFolder(HWND browser, const std::filesystem::path& folder,
                  Milliseconds timeout = defaultTimeout);
// The text of the tree's selected item (a folder's display name), read in the target.
std::wstring selectedFolderName(HWND browser);
// OK: SHBrowseForFolder returns the selection. Cancel: it returns nothing. Both wait until
// the browser has closed.
void pressOk(HWND browser, Milliseconds timeout = defaultTimeout);
void pressCancel(HWND browser, Milliseconds timeout = defaultTimeout);
// selectFolder, then OK.
void chooseFolder(HWND browser, const std::filesystem::path& folder,
                  Milliseconds timeout = defaultTimeout);

} // namespace gui_test
