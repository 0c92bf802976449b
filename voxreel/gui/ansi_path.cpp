#include "voxreel/gui/ansi_path.hpp"

#include <climits>
#include <windows.h>

namespace voxreel::gui {

platform::Path pathFromAnsi(const std::string& name) {
    if (name.empty() || name.size() > INT_MAX) return {};
    const int length = static_cast<int>(name.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, name.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, name.data(), length, wide.data(), needed);
    return platform::Path(wide);
}

} // namespace voxreel::gui
