// The system's folder browser (new dialog style), opened on a given folder.
#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace cw::gui {

// The chosen folder, or nothing when the user cancels.
std::optional<std::wstring> browseForFolder(HWND owner, const std::wstring& prompt,
                                            const std::wstring& preselected);

} // namespace cw::gui
