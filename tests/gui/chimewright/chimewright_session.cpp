#include "tests/gui/chimewright/chimewright_session.hpp"

#include "tests/support/wav_builder.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace cw_gui_test {

using namespace gui_test;

ChimewrightSession::ChimewrightSession(std::vector<std::wstring> arguments,
                                       const std::string& settings) {
    copyProgram();
    if (!settings.empty()) testing_support::putFile(settingsFile(), settings);
    LaunchOptions options;
    options.program = programCopy_;
    options.arguments = std::move(arguments);
    options.workingDir = folder();
    options.environment = {{L"WINDIR", folder().wstring()}};
    process = Process::launch(options);
    window = waitForWindow(process, {.className = L"mainWClass"});
    process.waitForInputIdle();
    list = findDescendantByClass(window, L"listWClass");
    if (!list) throw AutomationError("no list window:\n" + tree());
}

ChimewrightSession::~ChimewrightSession() {
    if (process.running()) process.terminate();
}

void ChimewrightSession::copyProgram() {
    programCopy_ = folder() / L"chimewright.exe";
    std::filesystem::copy_file(program("chimewright.exe"), programCopy_,
                               std::filesystem::copy_options::overwrite_existing);
}

std::filesystem::path ChimewrightSession::settingsFile() const {
    return folder() / L"ferrowind.ini";
}

std::string ChimewrightSession::setting(const std::string& section, const std::string& key) const {
    wchar_t value[1024];
    ::GetPrivateProfileStringW(toWide(section).c_str(), toWide(key).c_str(), L"<none>", value, 1024,
                               settingsFile().c_str());
    return toUtf8(value);
}

std::filesystem::path ChimewrightSession::outputFolder(const std::wstring& name) const {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder = binDir().parent_path() / L"chimewright_gui_outputs" /
                                         toWide(test ? test->name() : "run") / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

HWND ChimewrightSession::control(int id) const {
    HWND child = ::GetDlgItem(window, id);
    if (!child) throw AutomationError("no control " + std::to_string(id) + " in\n" + tree());
    return child;
}

HWND ChimewrightSession::field(int column, int line) const {
    return childById(list, 2100 + 100 * column + line);
}

std::wstring ChimewrightSession::fieldText(int column, int line) const {
    return windowText(field(column, line));
}

HWND ChimewrightSession::option(int baseId, int offset) const {
    HWND group = control(baseId + 2);
    HWND button = ::GetDlgItem(group, baseId + offset);
    if (!button)
        throw AutomationError("no option " + std::to_string(baseId + offset) + " in\n" +
                              formatTree(group));
    return button;
}

std::filesystem::path ChimewrightSession::makeFile(const std::string& name,
                                                   const std::string& bytes) const {
    const std::filesystem::path file = folder() / toWide(name);
    testing_support::putFile(file, bytes);
    return file;
}

void ChimewrightSession::drop(const std::vector<std::filesystem::path>& files) const {
    dropFiles(list, files, {.point = {20, 10}});
    settle(window);
}

void ChimewrightSession::expectPath(int line, const std::filesystem::path& path) const {
    waitUntil([&] { return fieldText(ids::path, line) == path.wstring(); },
              "line " + std::to_string(line) + " to show " + toUtf8(path.wstring()), defaultTimeout,
              [&] { return "it shows " + toUtf8(fieldText(ids::path, line)); });
}

void ChimewrightSession::close() {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (!process.waitForExit()) throw AutomationError("chimewright did not end after closing");
}

void ChimewrightSession::screenshot(const std::string& name) const {
    // The window of seven lines is 658 pixels high and is placed for a taller screen than
    // the test display's 768 pixels (a widened one may pass its right edge too): the picture
    // is taken with the window moved onto the screen, as a user would drag it, so that none
    // of it is cut off.
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int x = std::max(
        0L, std::min(rect.left, ::GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left)));
    const int y = std::max(
        0L, std::min(rect.top, ::GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top)));
    if (x != rect.left || y != rect.top)
        ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    settle(window);
    screenshotWindow(window, "chimewright_" + name);
}

std::string toneWav(double seconds, unsigned channels, unsigned rate, double frequency) {
    testing_support::WavSpec layout;
    layout.channels = static_cast<std::uint16_t>(channels);
    layout.rate = rate;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    return testing_support::makeWav(
        layout, testing_support::sineWave(frequency, rate, frames, 12000.0, channels));
}

} // namespace cw_gui_test
