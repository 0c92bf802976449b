// Waiting for something another process does: poll a condition until it holds or the time
// is up. The throwing form ends the test with a message that says what was waited for
// (GoogleTest reports an exception from a test body as that test's failure).
#pragma once

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

namespace gui_test {

using Milliseconds = std::chrono::milliseconds;

// Long enough for a cold Wine start of a window program on a busy machine.
inline constexpr Milliseconds defaultTimeout{10000};
// How often conditions are checked.
inline constexpr Milliseconds pollInterval{20};

// A wait that ran out of time, or an automation step that could not be done.
class AutomationError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// True as soon as `condition` holds; false once `timeout` has passed without it.
bool pollUntil(const std::function<bool()>& condition, Milliseconds timeout = defaultTimeout);

// Like pollUntil, but throws AutomationError("timed out after N ms waiting for <what>") and
// appends `details()` (for instance the target's window tree) when given.
void waitUntil(const std::function<bool()>& condition, const std::string& what,
               Milliseconds timeout = defaultTimeout,
               const std::function<std::string()>& details = {});

// Sleeps; for the rare step that must let time pass (a program's own timer, a delay it checks).
void pause(Milliseconds duration);

} // namespace gui_test
