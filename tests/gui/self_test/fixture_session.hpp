// One run of the fixture window for a test: started, its main window found, ended with the
// test.
#pragma once

#include "tests/gui/automation/automation.hpp"
#include "tests/gui/fixture/fixture_ids.hpp"

#include <gtest/gtest.h>

namespace gui_self_test {

inline std::filesystem::path fixtureProgram() {
    const wchar_t* value = _wgetenv(L"CW_GUI_FIXTURE");
    return std::filesystem::absolute(value ? value : L"gui_fixture.exe");
}

struct FixtureSession {
    gui_test::Process process;
    HWND window = nullptr;

    FixtureSession() {
        gui_test::LaunchOptions options;
        options.program = fixtureProgram();
        process = gui_test::Process::launch(options);
        window = gui_test::waitForWindow(process, {.className = gui_fixture::windowClass});
        process.waitForInputIdle();
    }

    HWND control(int id) const { return gui_test::childById(window, id); }
    std::wstring status() const { return gui_test::windowText(control(gui_fixture::status)); }
    // Waits until the status line reads `expected`; the failure names both texts.
    void expectStatus(const std::wstring& expected) const {
        gui_test::waitUntil([&] { return status() == expected; },
                            "the status \"" + gui_test::toUtf8(expected) + "\"",
                            gui_test::defaultTimeout,
                            [&] { return "it reads \"" + gui_test::toUtf8(status()) + "\""; });
    }
};

} // namespace gui_self_test
