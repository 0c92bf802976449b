// Checking where controls stand: a table of expected ids, positions (relative to the
// parent's client area), sizes and optionally classes and texts, compared with the window
// tree in one go, every difference named.
#pragma once

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace gui_test {

struct ExpectedControl {
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::optional<std::wstring> className{}; // e.g. L"Button"
    std::optional<std::wstring> text{};
};

// Success when every control of the table is a descendant of `parent` with that id and
// exactly that rectangle (and class and text where given); otherwise every mismatch and
// the tree. Use as EXPECT_TRUE(controlsAt(window, table)).
testing::AssertionResult controlsAt(HWND parent, const std::vector<ExpectedControl>& table);

} // namespace gui_test
