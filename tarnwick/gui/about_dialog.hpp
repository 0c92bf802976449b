// The about dialog (152): product name and version, the maker's notice, and a line that
// opens the project's page.
#pragma once

#include "tarnwick/gui/skinned_dialog.hpp"

namespace tarnwick::gui {

// The page the about dialog's link line opens.
inline constexpr const wchar_t* projectPage = L"https://chimewright.example/tarnwick/";

class AboutDialog : public SkinnedDialog {
  public:
    explicit AboutDialog(tarnwick::Language language);

  protected:
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
};

} // namespace tarnwick::gui
