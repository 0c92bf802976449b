#include "chimewright/gui/window_thread.hpp"

namespace cw::gui {

bool runOnWindowThread(HWND window, std::function<void()> work) {
    WindowThreadCall call{std::move(work), {}};
    std::future<void> done = call.done.get_future();
    if (!::PostMessageW(window, runOnWindowThreadMessage, 0, reinterpret_cast<LPARAM>(&call)))
        return false;
    done.wait();
    return true;
}

void runPostedCall(LPARAM message) {
    auto* call = reinterpret_cast<WindowThreadCall*>(message);
    call->work();
    call->done.set_value();
}

} // namespace cw::gui
