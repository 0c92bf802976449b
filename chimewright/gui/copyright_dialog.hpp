// The small dialog behind the "Copyright" button: the copyright text that every ringtone
// file carries, kept in the settings file's section "user".
#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace cw::gui {

// The edited text, or nothing when the user cancels.
std::optional<std::wstring> editCopyright(HWND owner, const std::wstring& current);

} // namespace cw::gui
