// Screenshots for people to look at: the screen or one window's rectangle, read through the
// screen's device context, saved as PNG in screenshotDir(). Tests check positions and texts
// through the window tree; these pictures are the record a person reviews.
#pragma once

#include "tests/gui/automation/png_writer.hpp"

#include <filesystem>
#include <string>
#include <windows.h>

namespace gui_test {

// The pixels of a screen rectangle, clipped to the screen (empty when it lies off screen).
RgbImage captureScreenRect(const RECT& screen);

// Saves the whole screen as screenshotDir()/<name>.png and returns the path. A name without
// ".png" gets it. Throws AutomationError when the file cannot be written.
std::filesystem::path screenshotScreen(const std::string& name);
// Saves the window's rectangle (frame included), once the window has painted; a window
// reaching past the screen's edge is cut there (move it first to see it whole).
std::filesystem::path screenshotWindow(HWND window, const std::string& name);

} // namespace gui_test
