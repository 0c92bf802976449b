// The message dialog (151): one text of the conversion, with the success or the error
// picture.
#pragma once

#include "tarnwick/gui/skinned_dialog.hpp"

#include <string>

namespace tarnwick::gui {

class MessageDialog : public SkinnedDialog {
  public:
    MessageDialog(tarnwick::Language language, std::string text, bool success);

  protected:
    void onInit() override;
    bool onCommand(int id, int code, HWND control) override;

  private:
    std::string text_;
    bool success_;
};

} // namespace tarnwick::gui
