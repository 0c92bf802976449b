#include "tests/gui/automation/wait.hpp"

#include <thread>

namespace gui_test {

bool pollUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pollInterval);
    }
}

void waitUntil(const std::function<bool()>& condition, const std::string& what,
               Milliseconds timeout, const std::function<std::string()>& details) {
    if (pollUntil(condition, timeout)) return;
    std::string message =
        "timed out after " + std::to_string(timeout.count()) + " ms waiting for " + what;
    if (details) message += "\n" + details();
    throw AutomationError(message);
}

void pause(Milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

} // namespace gui_test
