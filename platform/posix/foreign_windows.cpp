#include "platform/foreign_windows.hpp"

// No other process's windows are reachable here.
namespace platform {

WindowRef firstTopLevelWindowOf(const ChildProcess&) {
    return noWindow;
}
WindowRef untitledWindowOwnedBy(const ChildProcess&, WindowRef) {
    return noWindow;
}
WindowRef childWithTextPrefix(WindowRef, std::string_view) {
    return noWindow;
}
WindowRef dialogItem(WindowRef, int) {
    return noWindow;
}
ScreenRect windowRect(WindowRef) {
    return {};
}
void sendText(WindowRef, std::string_view) {}
void clickToggle(WindowRef, int) {}
void postCommand(WindowRef, int) {}
DropPlacement dropPlacementHere() {
    return DropPlacement::sender;
}
bool postFileDrop(const ChildProcess&, WindowRef, const std::vector<unsigned char>&,
                  DropPlacement) {
    return false;
}

} // namespace platform
