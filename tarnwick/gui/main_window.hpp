// The main window (102): the place files are dropped on, the about button and OK. A drop
// runs the conversion of the first file, with the title and message dialogs shown over the
// window.
#pragma once

#include "tarnwick/gui/skinned_dialog.hpp"

#include <windows.h>
// (after windows.h, which it needs)
#include <shellapi.h>

namespace tarnwick::gui {

class MainWindow : public SkinnedDialog {
  public:
    explicit MainWindow(tarnwick::Language language);

    // Shows `dialog` where the main window stands, with the main window collapsed to its
    // centre meanwhile; afterwards the main window stands where the user left the dialog.
    // A dialog ended with its Power button ends the main window as well.
    INT_PTR showOver(SkinnedDialog& dialog, bool redrawAfter = false);
    // The wait cursor over the window.
    void setBusy(bool busy);

  protected:
    void onInit() override;
    bool onCommand(int id, int code, HWND control) override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    void onDrop(HDROP drop);

    bool converting_ = false;
    bool busy_ = false;
    bool powerPressed_ = false;
};

} // namespace tarnwick::gui
