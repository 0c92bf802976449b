// voxreel.exe as a user runs it: started with a file or without, files dropped on it, its
// button pressed, closed. The three display lines are read from the paint record the program
// keeps for tests; screenshots of each state go to the screenshot folder.
#include "tests/gui/voxreel/painted_lines.hpp"
#include "tests/gui/voxreel/ringtone_fixtures.hpp"

#include "tests/gui/automation/automation.hpp"
#include "tests/support/scratch.hpp"

#include "platform/text.hpp"

#include <gtest/gtest.h>

#include <cstdio>

using namespace voxreel_gui_test;
using testing_support::ScratchFolder;
using testing_support::fileBytes;
using testing_support::putFile;

namespace {

constexpr const char* mfiTitle = "着信メロディ";
constexpr const char* mfiCopyright = "鈴木スタジオ";
constexpr const char* smafTitle = "夕焼け小焼け";
constexpr const char* smafCopyright = "山田";

std::string utf8(const platform::Path& path) { return platform::pathToUtf8(path); }

bool hasIconResource(const platform::Path& program, int id) {
    HMODULE image = ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!image) return false;
    const bool found = ::FindResourceW(image, MAKEINTRESOURCEW(id), RT_GROUP_ICON) != nullptr;
    ::FreeLibrary(image);
    return found;
}

// One run of voxreel.exe with its current folder in a scratch folder.
class VoxreelWindow : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path paintRecord = scratch / "paint-record.txt";
    gui_test::Process process;
    HWND window = nullptr;

    // Starts the program with the command line after its name as it stands.
    void start(const std::wstring& commandLine) {
        gui_test::LaunchOptions options;
        options.program = gui_test::program("voxreel.exe");
        options.rawArguments = commandLine;
        options.workingDir = scratch.path();
        options.environment = {{L"VOXREEL_PAINT_LOG", paintRecord.wstring()}};
        process = gui_test::Process::launch(options);
        window = gui_test::waitForWindow(
            process, {.className = L"mainWClass", .text = L"Voxreel Ver.1.25.0.3"});
    }

    // Waits for a paint that drew exactly these lines.
    void expectLines(const std::vector<PaintedLine>& expected) {
        std::vector<PaintedLine> last;
        gui_test::waitUntil(
            [&] {
                last = readPaintedLines(paintRecord).value_or(std::vector<PaintedLine>{});
                return last == expected;
            },
            "a paint of\n" + describe(expected), gui_test::defaultTimeout,
            [&] { return "the last paint drew\n" + describe(last); });
    }

    // The next check waits for a paint after this point.
    void forgetPaints() { platform::deleteFile(paintRecord); }

    platform::Path temporaryFile(int job) const {
        char name[16];
        std::snprintf(name, sizeof name, "_wmtmp%02d.wav", job);
        return scratch / name;
    }

    // The rendering voxreel-cli.exe keeps of `file` with --wav.
    std::string consoleRendering(const platform::Path& file) {
        const platform::Path folder = scratch / "console";
        platform::createFolder(folder);
        gui_test::LaunchOptions options;
        options.program = gui_test::program("voxreel-cli.exe");
        options.arguments = {L"--no-play", L"--wav", (folder / "kept.wav").wstring(), file.wstring()};
        options.workingDir = folder;
        const gui_test::Process console = gui_test::Process::launch(options);
        EXPECT_EQ(console.waitForExitCode(), 0u);
        return fileBytes(folder / "kept.wav");
    }

    // Widens the window, as a user does to read a long path: the scratch folders' full paths
    // run past the 320 pixels the window starts with.
    void widenForLongNames() {
        ::SetWindowPos(window, nullptr, 0, 0, 640, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        gui_test::settle(window);
    }

    void screenshot(const std::string& name) { gui_test::screenshotWindow(window, "voxreel-" + name); }

    // Closes the window as its close box does; the process must end by itself, with 0.
    void closeWindow() {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.waitForExitCode(), 0u);
    }
};

} // namespace

TEST_F(VoxreelWindow, EmptyCommandLineShowsTheWindowAndItsButtonOnly) {
    start(L"");
    expectLines(expectedLines(""));
    screenshot("empty");

    const gui_test::WindowInfo main = gui_test::describe(window);
    EXPECT_TRUE(main.hasStyle(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX));
    EXPECT_TRUE(main.exStyle & WS_EX_ACCEPTFILES);
    EXPECT_EQ(gui_test::formatRect(main.screenRect), gui_test::formatRect({0, 0, 320, 150}));
    // Wine answers another process only for the class style; the icon is checked in the file.
    EXPECT_EQ(::GetClassLongPtrW(window, GCL_STYLE), static_cast<ULONG_PTR>(CS_BYTEALIGNWINDOW));
    EXPECT_TRUE(hasIconResource(gui_test::program("voxreel.exe"), 101));

    const std::vector<gui_test::WindowInfo> tree = gui_test::windowTree(window);
    ASSERT_EQ(tree.size(), 2u) << gui_test::formatTree(tree);
    const gui_test::WindowInfo& button = tree[1];
    EXPECT_EQ(button.className, L"Button");
    EXPECT_EQ(button.id, 1001);
    EXPECT_EQ(button.text, L"Play");
    EXPECT_TRUE(button.visible);
    EXPECT_EQ(button.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(gui_test::formatRect(button.rect), gui_test::formatRect({100, 90, 200, 114}));

    EXPECT_FALSE(platform::fileExists(temporaryFile(0))) << "nothing was played";
    closeWindow();
}

TEST_F(VoxreelWindow, PlaysTheCommandLineFileThenTheLastDropAndPlaysAgain) {
    putFile(scratch / "bell.mld", voicedMfi(mfiTitle, mfiCopyright));
    putFile(scratch / "first.mld", voicedMfi("First", ""));
    putFile(scratch / "notes.txt", "not a ringtone");
    putFile(scratch / "sunset.mmf", tarnwickSmaf(smafTitle, smafCopyright));

    start(L"bell.mld");
    expectLines(expectedLines("bell.mld", std::string(mfiTitle) + " / " + mfiCopyright, voicedMfiLabel));
    screenshot("mfi-japanese");
    const std::string rendering = fileBytes(temporaryFile(0));
    EXPECT_GT(rendering.size(), 44u);
    EXPECT_TRUE(rendering == consoleRendering(scratch / "bell.mld"))
        << "the window's temporary file differs from the console program's rendering";

    widenForLongNames();
    forgetPaints();
    gui_test::dropFiles(window, {scratch / "first.mld", scratch / "notes.txt", scratch / "sunset.mmf"});
    expectLines(expectedLines(utf8(scratch / "sunset.mmf"), std::string(smafTitle) + " / " + smafCopyright,
                              tarnwickSmafLabel));
    screenshot("smaf-japanese");
    EXPECT_FALSE(platform::fileExists(temporaryFile(0)));
    const std::string dropped = fileBytes(temporaryFile(1));
    EXPECT_GT(dropped.size(), 44u);

    forgetPaints();
    gui_test::clickButton(gui_test::childById(window, 1001));
    expectLines(expectedLines(utf8(scratch / "sunset.mmf"), std::string(smafTitle) + " / " + smafCopyright,
                              tarnwickSmafLabel));
    EXPECT_FALSE(platform::fileExists(temporaryFile(1)));
    EXPECT_TRUE(fileBytes(temporaryFile(2)) == dropped) << "Play renders the same file again";

    closeWindow();
    EXPECT_FALSE(platform::fileExists(temporaryFile(2))) << "the last temporary file is deleted at exit";
}

TEST_F(VoxreelWindow, FilesThatDoNotPlay) {
    putFile(scratch / "first.mld", voicedMfi("First", "Studio"));
    putFile(scratch / "notes.txt", "not a ringtone");
    std::string large = voicedMfi("Large", "");
    large.resize(2 * 1048576, '\0');
    putFile(scratch / "large.mld", large);

    start(L"first.mld");
    expectLines(expectedLines("first.mld", "First / Studio", voicedMfiLabel));
    widenForLongNames();

    // Too large: read, not played; the texts of the last play stay.
    forgetPaints();
    gui_test::dropFiles(window, {scratch / "large.mld"});
    expectLines(expectedLines(utf8(scratch / "large.mld"), "First / Studio", voicedMfiLabel));
    screenshot("too-large");
    EXPECT_TRUE(platform::fileExists(temporaryFile(0))) << "no new rendering";
    EXPECT_FALSE(platform::fileExists(temporaryFile(1)));

    // No ringtone: only the name.
    forgetPaints();
    gui_test::dropFiles(window, {scratch / "notes.txt"});
    expectLines(expectedLines(utf8(scratch / "notes.txt")));
    screenshot("not-a-ringtone");
    closeWindow();
}

TEST_F(VoxreelWindow, QuotedPathWithBlanksPlays) {
    const platform::Path folder = scratch / "my tunes";
    platform::createFolder(folder);
    putFile(folder / "evening bell.mmf", tarnwickSmaf("Evening", ""));

    start(L"\"" + (folder / "evening bell.mmf").wstring() + L"\"");
    widenForLongNames();
    expectLines(expectedLines(utf8(folder / "evening bell.mmf"), "Evening", tarnwickSmafLabel));
    EXPECT_TRUE(platform::fileExists(temporaryFile(0)));
    screenshot("quoted-path");
    closeWindow();
}
