// The automation library against the fixture window: every kind of step once, checked by
// what the fixture reports.
#include "tests/gui/self_test/fixture_session.hpp"
#include "tests/support/scratch.hpp"

#include <fstream>

using namespace gui_test;
using gui_self_test::FixtureSession;
namespace ids = gui_fixture;

namespace {

std::vector<std::uint8_t> fileStart(const std::filesystem::path& file, std::size_t count) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes(count);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::uint32_t bigEndian32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

} // namespace

TEST(GuiAutomation, TreeDescribesTheWindowAndItsControls) {
    FixtureSession app;
    const std::vector<WindowInfo> tree = windowTree(app.window);
    ASSERT_GE(tree.size(), 12u) << formatTree(tree);
    EXPECT_EQ(tree[0].text, ids::windowTitle);
    EXPECT_EQ(tree[0].depth, 0);

    const WindowInfo press = describe(app.control(ids::pressButton));
    EXPECT_EQ(press.className, L"Button");
    EXPECT_EQ(press.text, L"Press");
    EXPECT_EQ(press.rect.left, 10);
    EXPECT_EQ(press.rect.top, 10);
    EXPECT_EQ(press.width(), 80);
    EXPECT_EQ(press.height(), 24);
    EXPECT_EQ(press.parent, app.window);
    EXPECT_TRUE(press.visible && press.enabled);
    POINT client{0, 0};
    ::ClientToScreen(app.window, &client);
    EXPECT_EQ(press.screenRect.left, client.x + 10);

    EXPECT_EQ(describe(app.control(ids::label)).text, L"着信音のテスト: 日本語の表示");
    EXPECT_TRUE(controlsAt(app.window, {{ids::pressButton, 10, 10, 80, 24, L"Button", L"Press"},
                                        {ids::scroller, 10, 130, 365, 16, L"ScrollBar"},
                                        {ids::loopBox, 10, 214, 80, 20, {}, L"Loop"}}));
    const testing::AssertionResult wrong =
        controlsAt(app.window, {{ids::pressButton, 11, 10, 80, 24, {}, L"Pressed"}, {9999}});
    EXPECT_FALSE(wrong);
    EXPECT_NE(std::string(wrong.message())
                  .find("control 101: at (10,10 80x24), expected (11,10 80x24)\n"
                        "control 101: text \"Press\", expected \"Pressed\"\n"
                        "control 9999: missing"),
              std::string::npos)
        << wrong.message();
    const std::string printed = formatTree(tree);
    EXPECT_NE(printed.find("id=101 \"Press\" (10,10 80x24)"), std::string::npos) << printed;
    EXPECT_EQ(findChild(app.window, 9999), nullptr);
    EXPECT_THROW(childById(app.window, 9999), AutomationError);
}

TEST(GuiAutomation, ProcessEndsWithItsExitCodeOrIsTerminated) {
    FixtureSession app;
    clickButton(app.control(ids::pressButton));
    app.expectStatus(L"pressed 1");
    postCommand(app.window, ids::pressButton);
    app.expectStatus(L"pressed 2");
    ::PostMessageW(app.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(app.process.waitForExitCode(), 2u); // the fixture exits with its press count

    FixtureSession stuck;
    EXPECT_FALSE(stuck.process.waitForExit(Milliseconds(50)));
    EXPECT_FALSE(stuck.process.exitCode());
    stuck.process.terminate();
    EXPECT_EQ(stuck.process.exitCode(), 1u);
}

TEST(GuiAutomation, WaitsFailWithWhatWasAwaitedAndTheWindows) {
    FixtureSession app;
    try {
        waitForWindow(app.process, {.className = L"NoSuchClass"}, Milliseconds(100));
        FAIL() << "no window of that class exists";
    } catch (const AutomationError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("of class \"NoSuchClass\""), std::string::npos) << message;
        EXPECT_NE(message.find("CwGuiFixture \"GUI fixture\""), std::string::npos) << message;
    }
}

TEST(GuiAutomation, ControlStatesAreRead) {
    FixtureSession app;
    const HWND loop = app.control(ids::loopBox);
    EXPECT_FALSE(isChecked(loop));
    clickButton(loop);
    waitUntil([&] { return isChecked(loop); }, "the check box to be checked");
    const HWND choices = app.control(ids::choiceBox);
    EXPECT_EQ(listItems(choices), (std::vector<std::wstring>{L"one", L"二つ", L"three"}));
    EXPECT_EQ(selectedIndex(choices), 1);
    EXPECT_EQ(selectedIndex(app.control(ids::dropList)), -1);
    EXPECT_EQ(editLimit(app.control(ids::limitedEdit)), ids::editLimit);

    // A process found through its window, held like a launched one.
    Process same = Process::open(describe(app.window).processId);
    EXPECT_TRUE(same.running());
    EXPECT_EQ(waitForWindowOfAnyProcess({.className = ids::windowClass}), app.window);
    same.terminate();
    EXPECT_TRUE(app.process.waitForExit());
}

TEST(GuiAutomation, TypingKeepsTheEditLimitAndLeavingTheFieldIsSeen) {
    FixtureSession app;
    const HWND edit = app.control(ids::limitedEdit);
    setText(edit, L"0123456789ab"); // the limit is for typing only
    EXPECT_EQ(windowText(edit), L"0123456789ab");
    setText(edit, L"");
    setFocus(edit);
    typeText(edit, L"着信0123456789");
    settle(edit);
    waitUntil([&] { return windowText(edit).size() == ids::editLimit; }, "typed text in the edit");
    EXPECT_EQ(windowText(edit), L"着信012345");
    EXPECT_EQ(focusedWindow(app.window), edit);
    setFocus(app.control(ids::pressButton));
    app.expectStatus(L"edit left: 着信012345");
}

TEST(GuiAutomation, KeysClicksScrollsWheelAndDrags) {
    FixtureSession app;
    pressKey(app.window, VK_UP);
    app.expectStatus(L"key 38 shift up");
    pressKey(app.window, VK_TAB, shift);
    app.expectStatus(L"key 9 shift down");

    clickAt(app.window, {300, 240});
    app.expectStatus(L"click 300,240");

    const HWND bar = app.control(ids::scroller);
    scrollBar(bar, SB_LINERIGHT);
    app.expectStatus(L"scroll 1 at 1");
    scrollBar(bar, SB_THUMBPOSITION, 40);
    app.expectStatus(L"scroll 4 at 40");
    const ScrollState scroll = scrollState(bar);
    EXPECT_EQ(scroll.minimum, 0);
    EXPECT_EQ(scroll.maximum, 100);
    EXPECT_EQ(scroll.position, 40);

    wheel(app.window, -2);
    app.expectStatus(L"wheel -240");

    const RECT before = describe(app.window).screenRect;
    dragBy(app.window, {300, 240}, {330, 260});
    app.expectStatus(L"moved");
    const RECT after = describe(app.window).screenRect;
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);

    // By the caption, with the real mouse: the system's move loop moves the window.
    const POINT caption{after.left + 150, after.top + 8};
    mouseDrag(caption, {caption.x + 40, caption.y + 25});
    waitUntil([&] { return describe(app.window).screenRect.left == after.left + 40; },
              "the window to follow its caption", defaultTimeout,
              [&] { return formatRect(describe(app.window).screenRect); });
    EXPECT_EQ(describe(app.window).screenRect.top, after.top + 25);
}

TEST(GuiAutomation, DroppedFilesArriveInOrderWithTheirPoint) {
    FixtureSession app;
    const std::vector<std::filesystem::path> files = {L"C:\\sounds\\one.wav",
                                                      L"C:\\sounds\\着信 two.wav", L"Z:\\three"};
    dropFiles(app.window, files, {.point = {5, 6}});
    app.expectStatus(L"dropped 3 at 5,6 client");
    EXPECT_EQ(
        listItems(app.control(ids::dropList)),
        (std::vector<std::wstring>{files[0].wstring(), files[1].wstring(), files[2].wstring()}));
    dropFiles(app.window, {L"C:\\four.wav"}, {.point = {700, 500}, .nonClient = true});
    app.expectStatus(L"dropped 1 at 700,500 outside");
}

TEST(GuiAutomation, ClipboardTextGoesBothWays) {
    FixtureSession app;
    setClipboardText(L"from the test: 着信");
    EXPECT_EQ(clipboardText(), L"from the test: 着信");
    clickButton(app.control(ids::pasteButton));
    app.expectStatus(L"pasted from the test: 着信");

    setText(app.control(ids::limitedEdit), L"ベル");
    clickButton(app.control(ids::copyButton));
    app.expectStatus(L"copy done");
    EXPECT_EQ(clipboardText(), L"copied: ベル");
    clearClipboard();
    EXPECT_FALSE(clipboardText());
}

TEST(GuiAutomation, MessageBoxIsReadAndAnswered) {
    FixtureSession app;
    EXPECT_TRUE(noMessageBox(app.process));
    clickButton(app.control(ids::messageButton));
    const MessageBoxInfo box = waitForMessageBox(app.process, defaultTimeout, app.window);
    EXPECT_EQ(box.caption, L"Fixture question");
    EXPECT_EQ(box.text, L"Keep the changes?\n変更を保存しますか。");
    EXPECT_EQ(box.buttonIds(), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_TRUE(box.hasIcon);
    EXPECT_EQ(box.owner, app.window);
    screenshotWindow(box.handle, "message_box");
    answer(box, IDNO);
    app.expectStatus(L"answer " + std::to_wstring(IDNO));
    EXPECT_THROW(box.button(IDRETRY), AutomationError);
}

TEST(GuiAutomation, FolderBrowserTakesAPreselectedFolderOrIsCancelled) {
    FixtureSession app;
    testing_support::ScratchFolder scratch;
    const std::filesystem::path folder = scratch.path() / L"出力 folder";
    std::filesystem::create_directories(folder);

    clickButton(app.control(ids::browseButton));
    HWND browser = waitForFolderBrowser(app.process);
    EXPECT_EQ(::GetWindow(browser, GW_OWNER), app.window);
    selectFolder(browser, folder);
    screenshotWindow(browser, "folder_browser");
    pressOk(browser);
    app.expectStatus(L"folder " + folder.wstring());

    // A folder of drive Z: (the Linux tree), named with forward slashes and a trailing one.
    const std::filesystem::path linuxSide = screenshotDir() / L"browse target";
    std::filesystem::create_directories(linuxSide);
    clickButton(app.control(ids::browseButton));
    browser = waitForFolderBrowser(app.process);
    chooseFolder(browser, linuxSide.generic_wstring() + L"/");
    app.expectStatus(L"folder " + linuxSide.wstring());

    clickButton(app.control(ids::browseButton));
    browser = waitForFolderBrowser(app.process);
    pressCancel(browser);
    app.expectStatus(L"folder cancelled");
}

TEST(GuiAutomation, ScreenshotsArePngFilesOfTheWindowOrScreen) {
    FixtureSession app;
    const RECT rect = describe(app.window).screenRect;
    const std::filesystem::path file = screenshotWindow(app.window, "fixture_window");
    EXPECT_EQ(file.parent_path(), screenshotDir());
    const std::vector<std::uint8_t> head = fileStart(file, 24);
    ASSERT_EQ(head.size(), 24u);
    EXPECT_EQ(std::vector<std::uint8_t>(head.begin(), head.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(bigEndian32(head, 16), static_cast<std::uint32_t>(rect.right - rect.left));
    EXPECT_EQ(bigEndian32(head, 20), static_cast<std::uint32_t>(rect.bottom - rect.top));

    // The capture holds what is painted: the button face differs from the black of an
    // unreadable screen.
    const RgbImage pixels = captureScreenRect(describe(app.control(ids::pressButton)).screenRect);
    EXPECT_TRUE(std::any_of(pixels.pixels.begin(), pixels.pixels.end(),
                            [](std::uint8_t v) { return v > 64; }));
    EXPECT_TRUE(std::filesystem::exists(screenshotScreen("screen.png")));

    // A window reaching past the bottom of the screen is pictured down to the edge.
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ::SetWindowPos(app.window, nullptr, 100, screenHeight - 100, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    waitUntil([&] { return describe(app.window).screenRect.top == screenHeight - 100; },
              "the window to move");
    const std::filesystem::path cut = screenshotWindow(app.window, "fixture_window_cut");
    EXPECT_EQ(bigEndian32(fileStart(cut, 24), 20), 100u);
    const RgbImage visible = captureScreenRect(describe(app.window).screenRect);
    EXPECT_TRUE(std::any_of(visible.pixels.begin(), visible.pixels.end(),
                            [](std::uint8_t v) { return v > 64; }));
}

// The suite's second run (ENGLISH_TESTS) has the English interface; the first the Japanese.
TEST(GuiAutomation, ProgramsShareTheRunsJapaneseInterface) {
    FixtureSession app;
    EXPECT_TRUE(interfaceLanguageIsJapanese());
    EXPECT_EQ(windowText(app.control(ids::language)), L"ja");
}

TEST(GuiAutomationEnglish, ProgramsShareTheRunsEnglishInterface) {
    FixtureSession app;
    EXPECT_FALSE(interfaceLanguageIsJapanese());
    EXPECT_EQ(windowText(app.control(ids::language)), L"en");
    screenshotWindow(app.window, "fixture_window_english");
}
