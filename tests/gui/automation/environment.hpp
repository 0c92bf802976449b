// Where a GUI test finds the programs, the sources and the folder for its screenshots. CTest
// hands these over in the environment (cmake/GuiTests.cmake); a run by hand may set them.
#pragma once

#include <filesystem>
#include <string>

namespace gui_test {

// CW_BIN_DIR: the folder of the built programs.
std::filesystem::path binDir();
// binDir() / name, for instance program("voxreel.exe").
std::filesystem::path program(const std::string& name);
// CW_SOURCE_DIR: the top of the source tree (test data lives below it).
std::filesystem::path sourceDir();
// CW_SCREENSHOT_DIR, made on first use; "screenshots" in the current folder when unset.
std::filesystem::path screenshotDir();

// The interface language of this test run, which the programs it starts share: Japanese
// by default, English in a suite's English run (cw_gui_test_suite's ENGLISH_TESTS, which
// sets CW_UI_LANGUAGE=english for tools/wine-run.sh). Under Wine a child process always
// takes its parent's language, so it is chosen per test program, not per launch.
bool interfaceLanguageIsJapanese();

// True when a display is there to show windows on (DISPLAY is set under Wine; Windows
// always has one).
bool displayAvailable();

} // namespace gui_test
