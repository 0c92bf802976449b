#include "tests/gui/tarnwick/tarnwick_session.hpp"

#include "tests/support/wav_builder.hpp"

namespace tarnwick_gui_test {

using namespace gui_test;

std::filesystem::path makeWav(const std::filesystem::path& folder, const std::string& name,
                              unsigned rate, std::size_t frames) {
    testing_support::WavSpec layout;
    layout.rate = rate;
    const std::filesystem::path file = folder / toWide(name);
    testing_support::putFile(
        file, testing_support::makeWav(layout, testing_support::sineWave(440, rate, frames, 9000)));
    return file;
}

TarnwickSession::TarnwickSession(const std::filesystem::path& folder) {
    LaunchOptions options;
    options.program = program("tarnwick.exe");
    options.workingDir = folder;
    process = Process::launch(options);
    main = waitForWindow(process, {.text = L"Tarnwick", .owner = nullptr});
    process.waitForInputIdle();
}

HWND TarnwickSession::waitForDialog() const {
    return waitForWindow(process, {.text = L"", .owner = main, .description = "a tarnwick dialog"});
}

void TarnwickSession::waitForDialogClosed(HWND dialog) const {
    waitForWindowGone(dialog);
    waitUntil([&] { return describe(main).width() == skinSize.cx; },
              "the main window back at its size", defaultTimeout, [&] { return tree(); });
}

void TarnwickSession::drop(const std::vector<std::filesystem::path>& files) const {
    const RECT place = describe(childById(main, id::dropspace)).screenRect;
    dropFiles(main, files, {.point = center(place), .nonClient = true});
}

LRESULT TarnwickSession::toggleState(HWND dialog, int toggle) {
    return ::SendMessageW(childById(dialog, toggle), BM_GETCHECK, 0, 0);
}

std::string TarnwickSession::tree() const {
    return describeProcessWindows(process);
}

void expectPlaces(HWND window, const std::vector<Place>& places) {
    for (const Place& place : places) {
        const WindowInfo control = describe(childById(window, place.id));
        EXPECT_EQ(control.rect.left, place.x) << "control " << place.id << "\n"
                                              << formatTree(window);
        EXPECT_EQ(control.rect.top, place.y) << "control " << place.id;
        EXPECT_TRUE(control.visible) << "control " << place.id;
        // Nothing sticks out of the skin.
        EXPECT_LE(control.rect.right, skinSize.cx) << "control " << place.id;
        EXPECT_LE(control.rect.bottom, skinSize.cy) << "control " << place.id;
    }
}

void keepScreenshot(HWND window, const std::string& name) {
    settle(window);
    screenshotWindow(window, name);
}

std::string consoleSmaf(const std::filesystem::path& wav,
                        const std::vector<std::wstring>& options) {
    std::filesystem::path mmf = wav;
    mmf.replace_extension(".mmf");
    std::filesystem::remove(mmf);
    LaunchOptions launch;
    launch.program = program("tarnwick-cli.exe");
    launch.arguments = options;
    launch.arguments.push_back(L"--");
    launch.arguments.push_back(wav.wstring());
    launch.show = SW_HIDE;
    Process cli = Process::launch(launch);
    EXPECT_EQ(cli.waitForExitCode(), 0u) << "tarnwick-cli on " << toUtf8(wav.wstring());
    return testing_support::fileBytes(mmf);
}

} // namespace tarnwick_gui_test
