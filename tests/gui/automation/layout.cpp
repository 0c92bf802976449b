#include "tests/gui/automation/layout.hpp"

#include "tests/gui/automation/text.hpp"
#include "tests/gui/automation/windows.hpp"

namespace gui_test {

testing::AssertionResult controlsAt(HWND parent, const std::vector<ExpectedControl>& table) {
    std::string problems;
    for (const ExpectedControl& expected : table) {
        const std::string name = "control " + std::to_string(expected.id);
        const HWND control = findChild(parent, expected.id);
        if (!control) {
            problems += name + ": missing\n";
            continue;
        }
        const WindowInfo info = describe(control);
        const RECT want{expected.x, expected.y, expected.x + expected.width,
                        expected.y + expected.height};
        if (!::EqualRect(&info.rect, &want))
            problems +=
                name + ": at " + formatRect(info.rect) + ", expected " + formatRect(want) + "\n";
        if (expected.className && info.className != *expected.className)
            problems += name + ": class \"" + toUtf8(info.className) + "\", expected \"" +
                        toUtf8(*expected.className) + "\"\n";
        if (expected.text && info.text != *expected.text)
            problems += name + ": text \"" + toUtf8(info.text) + "\", expected \"" +
                        toUtf8(*expected.text) + "\"\n";
    }
    if (problems.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << problems << "in\n" << formatTree(parent);
}

} // namespace gui_test
