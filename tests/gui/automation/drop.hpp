// Dropping files on a window of another process, as the shell does after a drag: a
// WM_DROPFILES whose DROPFILES block (Unicode names) lives inside the target process, so
// that DragQueryFile reads it there and DragFinish frees it.
#pragma once

#include <filesystem>
#include <vector>
#include <windows.h>

namespace gui_test {

struct DropOptions {
    POINT point{0, 0};      // where the drop happened (client coordinates, or screen ones
                            // when `nonClient`)
    bool nonClient = false; // the drop point lies outside the client area
};

// Posts the drop; throws AutomationError when the block cannot be placed in the target.
void dropFiles(HWND window, const std::vector<std::filesystem::path>& files,
               const DropOptions& options = {});

// The DROPFILES block itself (header, NUL-terminated names, a final NUL), for tests of code
// that builds one.
std::vector<unsigned char> dropFilesBlock(const std::vector<std::filesystem::path>& files,
                                          const DropOptions& options);

} // namespace gui_test
