// Work that another thread hands to the window thread: the worker never touches a window
// itself. It posts the work to the main window and waits for it to be done.
#pragma once

#include <functional>
#include <future>
#include <windows.h>

namespace cw::gui {

// The message that carries a WindowThreadCall*; the window procedure runs it.
constexpr UINT runOnWindowThreadMessage = WM_APP + 1;

struct WindowThreadCall {
    std::function<void()> work;
    std::promise<void> done;
};

// Runs `work` on the thread of `window` and returns once it ran. False (and nothing ran)
// when the window is gone.
bool runOnWindowThread(HWND window, std::function<void()> work);

// Called by the window procedure for runOnWindowThreadMessage.
void runPostedCall(LPARAM call);

} // namespace cw::gui
