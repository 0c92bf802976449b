#include "tarnwick/gui/window_port.hpp"

#include "tarnwick/gui/main_window.hpp"
#include "tarnwick/gui/message_dialog.hpp"
#include "tarnwick/gui/title_dialog.hpp"

namespace tarnwick::gui {

WindowPort::WindowPort(MainWindow& main) : main_(main) {}

tarnwick::Language WindowPort::language() const {
    return main_.language();
}

bool WindowPort::askContents(tarnwick::TitleDialogValues& values) {
    TitleDialog dialog(language(), values);
    return main_.showOver(dialog, true) == IDOK;
}

void WindowPort::showMessage(tarnwick::MessageId, const std::string& text, bool success) {
    MessageDialog dialog(language(), text, success);
    main_.showOver(dialog);
}

void WindowPort::setBusy(bool busy) {
    main_.setBusy(busy);
}

} // namespace tarnwick::gui
