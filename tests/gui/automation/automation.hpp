// Driving a window program from outside, for GUI tests under Wine (and Windows): start it,
// find its windows and read their trees, send input, drop files, use the clipboard, answer
// message boxes and folder browsers, take screenshots. Everything lives in namespace
// gui_test; waits throw AutomationError with what they waited for.
#pragma once

#include "tests/gui/automation/clipboard.hpp"
#include "tests/gui/automation/controls.hpp"
#include "tests/gui/automation/drop.hpp"
#include "tests/gui/automation/environment.hpp"
#include "tests/gui/automation/folder_browser.hpp"
#include "tests/gui/automation/input.hpp"
#include "tests/gui/automation/layout.hpp"
#include "tests/gui/automation/message_box.hpp"
#include "tests/gui/automation/process.hpp"
#include "tests/gui/automation/screenshot.hpp"
#include "tests/gui/automation/text.hpp"
#include "tests/gui/automation/wait.hpp"
#include "tests/gui/automation/windows.hpp"
