// The conversion's questions and messages as tarnwick's dialogs, shown over the main window.
#pragma once

#include "tarnwick/engine/tarnwick_port.hpp"

namespace tarnwick::gui {

class MainWindow;

class WindowPort : public tarnwick::TarnwickPort {
  public:
    explicit WindowPort(MainWindow& main);

    tarnwick::Language language() const override;
    bool askContents(tarnwick::TitleDialogValues& values) override;
    void showMessage(tarnwick::MessageId id, const std::string& text, bool success) override;
    void setBusy(bool busy) override;

  private:
    MainWindow& main_;
};

} // namespace tarnwick::gui
