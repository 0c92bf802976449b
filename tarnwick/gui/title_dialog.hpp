// The title dialog (130): the song title and copyright text, the protection switch and the
// rate switch, asked for before a file is converted.
#pragma once

#include "tarnwick/engine/tarnwick_port.hpp"
#include "tarnwick/gui/skinned_dialog.hpp"

namespace tarnwick::gui {

class TitleDialog : public SkinnedDialog {
  public:
    // `values` fills the fields; OK stores what the user chose back into it.
    TitleDialog(tarnwick::Language language, tarnwick::TitleDialogValues& values);

  protected:
    void onInit() override;
    bool onCommand(int id, int code, HWND control) override;

  private:
    void clear();
    void store();

    tarnwick::TitleDialogValues& values_;
};

} // namespace tarnwick::gui
