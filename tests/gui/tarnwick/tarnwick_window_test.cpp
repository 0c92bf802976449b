// tarnwick's window program as a user drives it: drops on the main window, the title dialog,
// the message dialog, the about dialog, Power, moving the skinned windows, one instance at a
// time. Places are checked through the window tree; screenshots are kept for people.
#include "tests/gui/tarnwick/tarnwick_session.hpp"

#include <cwchar>

using namespace gui_test;
using namespace tarnwick_gui_test;
using testing_support::fileBytes;
using testing_support::ScratchFolder;

namespace {

const std::vector<Place> mainPlaces = {
    {id::about, 6, 85}, {id::ok, 182, 72}, {id::dropspace, 0, 24}};
const std::vector<Place> titlePlaces = {{id::titleEdit, 77, 23},     {id::copyrightEdit, 77, 43},
                                        {id::clear, 6, 85},          {id::ok, 68, 85},
                                        {id::cancel, 130, 85},       {id::power, 182, 72},
                                        {id::protectToggle, 76, 62}, {id::rateToggle, 181, 62}};
const std::vector<Place> messagePlaces = {{id::messagePicture, 0, 24},
                                          {id::ok, 130, 85},
                                          {id::power, 182, 72},
                                          {id::messageText, 15, 62}};
const std::vector<Place> aboutPlaces = {{id::ok, 130, 85}, {id::power, 182, 72}};

std::wstring text(HWND dialog, int control) {
    return windowText(childById(dialog, control));
}

void expectSkinnedDialog(HWND dialog, HWND main) {
    const WindowInfo info = describe(dialog);
    EXPECT_EQ(info.text, L"");
    EXPECT_EQ(info.owner, main);
    EXPECT_EQ(info.clientRect.right, skinSize.cx);
    EXPECT_EQ(info.clientRect.bottom, skinSize.cy);
}

// Every window in the run's language: its places, its texts, its screenshot. The about
// dialog opens where the main window stood, with the main window collapsed to its centre,
// and the main window comes back where the user dragged the dialog.
void checkEveryWindow(const std::string& suffix, const std::wstring& refused,
                      const std::wstring& sizeText) {
    ScratchFolder scratch;
    TarnwickSession app(scratch.path());

    const WindowInfo main = describe(app.main);
    EXPECT_EQ(main.clientRect.right, skinSize.cx);
    EXPECT_EQ(main.clientRect.bottom, skinSize.cy);
    EXPECT_EQ(text(app.main, id::dropspace).rfind(L"Dropspace", 0), 0u);
    expectPlaces(app.main, mainPlaces);
    keepScreenshot(app.main, "main" + suffix);

    clickButton(childById(app.main, id::about));
    HWND about = app.waitForDialog();
    expectSkinnedDialog(about, app.main);
    EXPECT_EQ(describe(about).screenRect.left, main.screenRect.left);
    EXPECT_EQ(describe(about).screenRect.top, main.screenRect.top);
    const WindowInfo collapsed = describe(app.main);
    EXPECT_EQ(collapsed.width(), 0);
    EXPECT_EQ(collapsed.screenRect.left, (main.screenRect.left + main.screenRect.right) / 2);
    EXPECT_EQ(collapsed.screenRect.top, (main.screenRect.top + main.screenRect.bottom) / 2);
    expectPlaces(about, aboutPlaces);
    EXPECT_NE(text(about, id::aboutLines[0]).find(L"1.2.0"), std::wstring::npos);
    for (int line : id::aboutLines)
        EXPECT_FALSE(text(about, line).empty()) << line;
    keepScreenshot(about, "about" + suffix);
    const RECT aboutAt = describe(about).screenRect;
    mouseDrag({aboutAt.left + 100, aboutAt.top + 10}, {aboutAt.left + 140, aboutAt.top + 40});
    waitUntil([&] { return describe(about).screenRect.left == main.screenRect.left + 40; },
              "the about dialog dragged by its top strip");
    postCommand(about, id::ok);
    app.waitForDialogClosed(about);
    EXPECT_EQ(describe(app.main).screenRect.left, main.screenRect.left + 40);
    EXPECT_EQ(describe(app.main).screenRect.top, main.screenRect.top + 30);

    const auto wav = makeWav(scratch.path(), "bell.wav", 8000, 4000);
    app.drop({wav});
    HWND title = app.waitForDialog();
    expectSkinnedDialog(title, app.main);
    expectPlaces(title, titlePlaces);
    EXPECT_EQ(describe(childById(title, id::titleEdit)).width(), 115);
    EXPECT_EQ(describe(childById(title, id::titleEdit)).height(), 14);
    EXPECT_EQ(text(title, id::titleEdit), L"bell");
    setText(childById(title, id::copyrightEdit), L"(c) 2026");
    keepScreenshot(title, "title" + suffix);
    postCommand(title, id::ok);
    waitForWindowGone(title);
    HWND message = app.waitForDialog();
    expectSkinnedDialog(message, app.main);
    expectPlaces(message, messagePlaces);
    EXPECT_EQ(describe(childById(message, id::messageText)).width(), 180);
    wchar_t kilobytes[32];
    std::swprintf(kilobytes, 32, L"%.2fKB",
                  static_cast<double>(fileBytes(scratch / "bell.mmf").size()) / 1024);
    EXPECT_EQ(text(message, id::messageText), sizeText + kilobytes);
    keepScreenshot(message, "message_success" + suffix);
    postCommand(message, id::ok);
    app.waitForDialogClosed(message);

    testing_support::putFile(scratch / "broken.wav", "RIFF....not a wave at all");
    app.drop({scratch / "broken.wav"});
    message = app.waitForDialog();
    EXPECT_EQ(text(message, id::messageText), refused);
    keepScreenshot(message, "message_error" + suffix);
    postCommand(message, id::ok);
    app.waitForDialogClosed(message);
    EXPECT_FALSE(std::filesystem::exists(scratch / "broken.mmf"));

    postCommand(app.main, id::ok);
    EXPECT_EQ(app.process.waitForExitCode(), 0u);
}

} // namespace

TEST(TarnwickWindow, EveryWindowInJapanese) {
    ASSERT_TRUE(interfaceLanguageIsJapanese());
    checkEveryWindow("_ja", L"WAVEファイルのヘッダが不正です", L"SMAFファイルサイズ : ");
}

// Run by the suite's English run (tarnwick_gui_tests_english).
TEST(TarnwickWindow, EveryWindowInEnglish) {
    ASSERT_FALSE(interfaceLanguageIsJapanese());
    checkEveryWindow("_en", L"Invalid WAVE file header", L"SMAF File Size : ");
}

// Three files dropped: the first is converted with what the title dialog was given, the
// others are ignored, and the file is the one tarnwick's console program writes for the same
// values. A second conversion ends with Power in the message dialog: the file is complete
// and the program ends.
TEST(TarnwickWindow, DropConvertsTheFirstFileAsTheConsoleProgramDoes) {
    ScratchFolder scratch;
    const auto first = makeWav(scratch.path(), "着信音.wav", 8000, 6000);
    const auto second = makeWav(scratch.path(), "second.wav", 8000, 3000);
    const auto third = makeWav(scratch.path(), "third.wav", 8000, 3000);
    std::string windowFirst, windowSecond;
    {
        TarnwickSession app(scratch.path());
        app.drop({first, second, third});
        HWND title = app.waitForDialog();
        EXPECT_EQ(text(title, id::titleEdit), L"着信音");
        setText(childById(title, id::titleEdit), L"ベル, \"one\"");
        setText(childById(title, id::copyrightEdit), L"(c) me");
        clickButton(childById(title, id::protectToggle));
        waitUntil([&] { return app.toggleState(title, id::protectToggle) == BST_CHECKED; },
                  "the protection switch on");
        app.drop({third}); // while converting: refused
        postCommand(title, id::ok);
        waitForWindowGone(title);
        HWND message = app.waitForDialog();
        postCommand(message, id::ok);
        app.waitForDialogClosed(message);
        settle(app.main);
        EXPECT_EQ(findWindow(app.process, {.text = L"", .owner = app.main}), nullptr)
            << "no conversion of the drop refused meanwhile\n"
            << app.tree();
        EXPECT_FALSE(std::filesystem::exists(scratch / "second.mmf"));
        EXPECT_FALSE(std::filesystem::exists(scratch / "third.mmf"));

        // Drops are taken again; this time at 4 kHz, ended with Power.
        app.drop({second});
        title = app.waitForDialog();
        clickButton(childById(title, id::rateToggle));
        waitUntil([&] { return app.toggleState(title, id::rateToggle) == BST_CHECKED; },
                  "the rate switch on");
        postCommand(title, id::ok);
        waitForWindowGone(title);
        message = app.waitForDialog();
        postCommand(message, id::power);
        EXPECT_EQ(app.process.waitForExitCode(), 0u);
        windowFirst = fileBytes(scratch.path() / L"着信音.mmf");
        windowSecond = fileBytes(scratch / "second.mmf");
    }
    ASSERT_GT(windowFirst.size(), 100u);
    EXPECT_EQ(windowFirst, consoleSmaf(first, {L"--title", L"ベル, \"one\"", L"--copyright",
                                               L"(c) me", L"--protect"}));
    EXPECT_EQ(windowSecond, consoleSmaf(second, {L"--4k"}));
}

// CLEAR empties both edits and switches the toggles off, but the rate switch of a 4000-Hz
// file is locked: neither a click nor CLEAR moves it, and the file is written at 4 kHz.
TEST(TarnwickWindow, ClearAndTheLockedRateSwitch) {
    ScratchFolder scratch;
    const auto eight = makeWav(scratch.path(), "eight.wav", 8000, 3000);
    const auto four = makeWav(scratch.path(), "four.wav", 4000, 3000);
    std::string windowFour;
    {
        TarnwickSession app(scratch.path());
        app.drop({eight});
        HWND title = app.waitForDialog();
        EXPECT_EQ(app.toggleState(title, id::rateToggle), BST_UNCHECKED);
        setText(childById(title, id::copyrightEdit), L"someone");
        clickButton(childById(title, id::protectToggle));
        clickButton(childById(title, id::rateToggle));
        waitUntil([&] { return app.toggleState(title, id::rateToggle) == BST_CHECKED; },
                  "the rate switch on");
        EXPECT_EQ(app.toggleState(title, id::protectToggle), BST_CHECKED);
        clickButton(childById(title, id::clear));
        waitUntil([&] { return text(title, id::titleEdit).empty(); }, "the title cleared");
        EXPECT_EQ(text(title, id::copyrightEdit), L"");
        EXPECT_EQ(app.toggleState(title, id::protectToggle), BST_UNCHECKED);
        EXPECT_EQ(app.toggleState(title, id::rateToggle), BST_UNCHECKED);
        postCommand(title, id::cancel);
        app.waitForDialogClosed(title);
        EXPECT_FALSE(std::filesystem::exists(scratch / "eight.mmf")) << "cancelled";

        app.drop({four});
        title = app.waitForDialog();
        EXPECT_EQ(app.toggleState(title, id::rateToggle), BST_INDETERMINATE);
        clickButton(childById(title, id::rateToggle));
        clickButton(childById(title, id::clear));
        waitUntil([&] { return text(title, id::titleEdit).empty(); }, "the title cleared");
        EXPECT_EQ(app.toggleState(title, id::rateToggle), BST_INDETERMINATE);
        postCommand(title, id::ok);
        waitForWindowGone(title);
        postCommand(app.waitForDialog(), id::power);
        EXPECT_EQ(app.process.waitForExitCode(), 0u);
        windowFour = fileBytes(scratch / "four.mmf");
    }
    EXPECT_EQ(windowFour, consoleSmaf(four, {L"--title", L""}));
}

// The edits take at most 255 typed characters.
TEST(TarnwickWindow, TitleEditsHoldAtMost255Characters) {
    ScratchFolder scratch;
    TarnwickSession app(scratch.path());
    app.drop({makeWav(scratch.path(), "long.wav", 8000, 3000)});
    HWND title = app.waitForDialog();
    for (int edit : {id::titleEdit, id::copyrightEdit}) {
        setText(childById(title, edit), L"");
        typeText(childById(title, edit), std::wstring(300, L'あ'));
        waitUntil([&] { return text(title, edit).size() >= 255; }, "255 characters typed");
        settle(title);
        EXPECT_EQ(text(title, edit).size(), 255u) << edit;
    }
    postCommand(title, id::power);
    EXPECT_EQ(app.process.waitForExitCode(), 0u);
    EXPECT_FALSE(std::filesystem::exists(scratch / "long.mmf")) << "Power in the title dialog";
}

// Only one tarnwick runs: a second window program ends at once without a window, and the
// console program refuses to run beside it.
TEST(TarnwickWindow, SecondInstanceEndsAtOnce) {
    ScratchFolder scratch;
    TarnwickSession app(scratch.path());
    LaunchOptions second;
    second.program = program("tarnwick.exe");
    Process again = Process::launch(second);
    EXPECT_EQ(again.waitForExitCode(), 0u);
    EXPECT_EQ(topLevelWindows(again.id()).size(), 0u);

    LaunchOptions cli;
    cli.program = program("tarnwick-cli.exe");
    cli.arguments = {(scratch / "any.wav").wstring()};
    cli.show = SW_HIDE;
    EXPECT_EQ(Process::launch(cli).waitForExitCode(), 3u) << "another tarnwick runs";

    // Dragging the main window by its top strip moves it; a press below the strip does not.
    // (Real mouse input: the window follows the pointer.)
    const RECT before = describe(app.main).screenRect;
    mouseDrag({before.left + 30, before.top + 5}, {before.left + 80, before.top + 25});
    waitUntil([&] { return describe(app.main).screenRect.left == before.left + 50; },
              "the main window dragged by its top strip");
    EXPECT_EQ(describe(app.main).screenRect.top, before.top + 20);
    const RECT moved = describe(app.main).screenRect;
    mouseDrag({moved.left + 100, moved.top + 50}, {moved.left + 150, moved.top + 90});
    settle(app.main);
    EXPECT_EQ(describe(app.main).screenRect.left, moved.left);
}
