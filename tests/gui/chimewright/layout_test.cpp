// The main window as it stands after start-up and after a resize: positions, sizes,
// identifiers and texts read from the window tree.
#include "tests/gui/chimewright/chimewright_session.hpp"

#include <gtest/gtest.h>

using namespace gui_test;
using cw_gui_test::ChimewrightSession;
namespace ids = cw_gui_test::ids;

namespace {

struct Expected {
    int id;
    const wchar_t* text; // nullptr: not checked
    int x, y, width, height;
};

void expectAt(HWND parent, const Expected& e, const std::string& tree) {
    HWND child = ::GetDlgItem(parent, e.id);
    ASSERT_NE(child, nullptr) << e.id << "\n" << tree;
    const WindowInfo c = describe(child);
    EXPECT_EQ(c.rect.left, e.x) << e.id << "\n" << tree;
    EXPECT_EQ(c.rect.top, e.y) << e.id;
    EXPECT_EQ(c.width(), e.width) << e.id;
    if (e.height >= 0) {
        EXPECT_EQ(c.height(), e.height) << e.id;
    }
    if (e.text) {
        EXPECT_EQ(c.text, e.text) << e.id;
    }
}

// The commands and labels; cx is the client width, L the list's height.
std::vector<Expected> mainControls(int cx, int L) {
    return {
        {ids::makeMld, L"make MLD", cx / 2 - 100, L + 60, 90, 24},
        {ids::clear, L"Clear", cx / 2 + 10, L + 60, 90, 24},
        {ids::help, L"Help", cx - 50, 0, 50, 22},
        {ids::loop, L"Loop(i-Appli)", 20, L + 50, 130, 24},
        {ids::exportList, L"Exp.", cx - 120, L + 60, 50, 24},
        {ids::importList, L"Imp.", cx - 60, L + 60, 50, 24},
        {ids::save, L"Save", 175, L + 101, 50, 22},
        {ids::presetBox, L"Latest", 70, L + 100, 100, -1}, // a closed drop-down list
        {ids::sizeLimit, L"100000", 450, L + 98, 80, 20},
        {2020,
         L"Folder Option(Create,Volume,Unlimited,4kHz,8kHz,8kStereo,16kHz,"
         L"32kHz(2bit),16kStereo,32kHz(4bit))",
         20, L + 128, 750, 20},
        {2021, L"Preset", 20, L + 103, 50, 20},
        {2022, L"Unlimited MaxSize", 280, L + 100, 160, 20},
        {2023, L"(default 100000 bytes)", 540, L + 100, 180, 20},
        {2024, L"4k,8k,St,16", 230, L + 145, 150, 20},
        {2025, L"4k,8k,8S,16,32,16S,32 kHz", 550, L + 145, 200, 20},
        {2026, nullptr, 10, L + 403, 700, 1},
    };
}

// The column headers and the fields of one line for a client area `e` pixels wider than 732.
std::vector<Expected> headers(int e) {
    const int left = static_cast<int>(0.4 * e), right = static_cast<int>(0.6 * e);
    return {
        {2030, L"ファイル名", 0, 30, 360 + left, 20},
        {2031, L"タイトル", 360 + left, 30, 162, 20},
        {2032, L"出力名", 522 + left, 30, 100, 20},
        {2033, L"間隔ms", 622 + left, 30, 52, 20},
        {2034, L"結果", 674 + left, 30, 50 + right, 20},
    };
}

std::vector<Expected> fields(int line, int e) {
    const int left = static_cast<int>(0.4 * e), right = static_cast<int>(0.6 * e);
    const int y = line * 24;
    return {
        {2100 + line, L"", 0, y, 360 + left, 24},
        {2200 + line, L"", 360 + left, y, 152, 24},
        {2300 + line, L"", 512 + left, y, 112, 24},
        {2400 + line, L"", 624 + left, y, 50, 24},
        {2500 + line, L"", 674 + left, y, 40 + right, 24},
    };
}

struct Row {
    const wchar_t* label;
    int id, x, y;
    int groupWidth; // 0: no options
    bool volume;
    std::vector<int> options; // offsets of the option controls the row has
};

const std::vector<int> monoRates = {8, 12, 16};
const std::vector<int> upTo16k = {8, 12, 16, 20, 24};
const std::vector<int> upTo16kStereo = {8, 12, 16, 20, 24, 32};
const std::vector<int> allEight = {8, 12, 16, 20, 24, 28, 32, 36};
const std::vector<int> ima = {8, 16, 24};

const std::vector<Row> rows = {
    {L"Normalize(100%)", 3010, 20, 78, 0, true, {}},
    {L"n503(100%)", 3020, 20, 160, 120, true, monoRates},
    {L"n504(100%)", 3030, 20, 180, 120, true, upTo16k},
    {L"n505(100%)", 3040, 340, 160, 160, true, upTo16kStereo},
    {L"f503(100%)", 3050, 20, 200, 120, true, monoRates},
    {L"f504(100%)", 3060, 20, 220, 120, true, monoRates},
    {L"f505(100%)", 3070, 340, 180, 160, true, upTo16kStereo},
    {L"p900(100%)", 3080, 340, 200, 160, true, upTo16kStereo},
    {L"p211(100%)", 3090, 20, 240, 120, true, monoRates},
    {L"p505(100%)", 3100, 340, 220, 180, true, allEight},
    {L"d211(100%)", 3110, 20, 260, 120, true, monoRates},
    {L"d505(100%)", 3130, 340, 240, 180, true, allEight},
    {L"sh251(100%)", 3140, 20, 280, 120, true, monoRates},
    {L"sh505(100%)", 3150, 340, 260, 120, true, {8, 12, 16, 24}},
    {L"sh252(100%)", 3160, 340, 280, 180, true, allEight},
    {L"so504(100%)", 3170, 20, 300, 120, true, upTo16k},
    {L"so505(100%)", 3180, 340, 300, 120, true, upTo16k},
    {L"mmf(100%)", 3190, 20, 320, 120, false, {8, 12, 16, 24}},
    {L"qcp(100%)", 3200, 20, 340, 0, false, {}},
    {L"so505iS(100%)", 3210, 340, 320, 180, true, allEight},
    {L"sa700(100%)", 3220, 340, 340, 160, true, upTo16kStereo},
    {L"sa702(100%)", 3230, 340, 360, 180, true, allEight},
    {L"L600(100%)", 3240, 20, 360, 120, true, ima},
    {L"N600(100%)", 3250, 20, 380, 120, true, ima},
    {L"m702(100%)", 3270, 340, 380, 120, true, ima},
    {L"p903(100%)", 3260, 340, 405, 180, true, allEight},
    {L"Andr(100%)", 3280, 340, 425, 180, true, {8, 24, 32, 36}},
};

int clientWidth(HWND window) {
    return describe(window).clientRect.right;
}

void expectMainLayout(const ChimewrightSession& app, int lines) {
    const int cx = clientWidth(app.window);
    const int e = cx - 732;
    const int L = lines * 24;
    const std::string tree = app.tree();
    for (const Expected& c : mainControls(cx, L))
        expectAt(app.window, c, tree);
    for (const Expected& c : headers(e))
        expectAt(app.window, c, tree);

    const WindowInfo list = describe(app.list);
    EXPECT_EQ(list.className, L"listWClass");
    EXPECT_EQ(list.rect.left, 0);
    EXPECT_EQ(list.rect.top, 50);
    EXPECT_EQ(list.width(), cx);
    EXPECT_EQ(list.height(), L);
    EXPECT_TRUE(list.hasStyle(WS_VSCROLL));
    EXPECT_TRUE(list.exStyle & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(list.exStyle & WS_EX_ACCEPTFILES);
    for (int line = 0; line < lines; ++line)
        for (const Expected& f : fields(line, e))
            expectAt(app.list, f, tree);
    EXPECT_EQ(findChild(app.list, 2100 + lines), nullptr) << "one line too many";
}

} // namespace

TEST(ChimewrightLayout, EmptyWindowStandsAsTheLayoutTablesSay) {
    ChimewrightSession app;
    const WindowInfo main = describe(app.window);
    EXPECT_EQ(main.className, L"mainWClass");
    EXPECT_EQ(main.text, L"CHIMEWRIGHT Ver.2.35.0.2");
    EXPECT_EQ(main.width(), 740);
    EXPECT_EQ(main.height(), 7 * 24 + 490);
    EXPECT_EQ(main.rect.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - 800) / 2);
    EXPECT_EQ(main.rect.top, (::GetSystemMetrics(SM_CYFULLSCREEN) - 480) / 2);
    EXPECT_TRUE(main.exStyle & WS_EX_ACCEPTFILES);
    expectMainLayout(app, 7);

    // The trace log beside the program: its path, in UTF-16 without a byte-order mark.
    const std::string trace = testing_support::fileBytes(app.folder() / L"__trace__.txt");
    EXPECT_EQ(trace.substr(0, 18), std::string("s\0t\0a\0r\0t\0 \0-\0-\0 \0", 18));

    // The fields' limits and kinds.
    EXPECT_TRUE(describe(app.field(ids::path, 0)).style & ES_READONLY);
    EXPECT_TRUE(describe(app.field(ids::result, 0)).style & ES_READONLY);
    EXPECT_TRUE(describe(app.field(ids::interval, 0)).style & ES_NUMBER);
    EXPECT_TRUE(describe(app.field(ids::interval, 0)).style & ES_RIGHT);
    EXPECT_TRUE(describe(app.field(ids::title, 0)).style & ES_AUTOHSCROLL);
    EXPECT_EQ(editLimit(app.field(ids::title, 0)), 64);
    EXPECT_EQ(editLimit(app.field(ids::output, 0)), 64);
    EXPECT_EQ(
        listItems(app.control(ids::presetBox)),
        (std::vector<std::wstring>{L"Latest", L"PresetA", L"PresetB", L"PresetC", L"PresetD"}));
    EXPECT_EQ(selectedIndex(app.control(ids::presetBox)), 0);
    EXPECT_TRUE(describe(app.control(ids::sizeLimit)).style & ES_NUMBER);

    const int L = 7 * 24;
    const std::string tree = app.tree();
    for (const Row& row : rows) {
        const int w = row.id == 3010 ? 105 : 80;
        expectAt(app.window, {row.id, L"", row.x, L + row.y, 20, 20}, tree);
        expectAt(app.window, {row.id + 1, row.label, row.x + 20, L + row.y, w, 20}, tree);
        expectAt(app.window, {row.id + 4, nullptr, row.x + 20 + w, L + row.y, 80, 16}, tree);
        const WindowInfo bar = describe(app.control(row.id + 4));
        EXPECT_EQ(bar.className, L"ScrollBar") << row.id;
        // Only the rows whose "Create" box is checked have their controls enabled.
        const bool enabled = isChecked(app.control(row.id));
        EXPECT_EQ(bar.enabled, row.volume && enabled) << row.id;

        HWND group = ::GetDlgItem(app.window, row.id + 2);
        if (row.groupWidth == 0) {
            EXPECT_EQ(group, nullptr) << row.id;
            continue;
        }
        expectAt(app.window,
                 {row.id + 2, nullptr, row.x + 20 + w + 80, L + row.y, row.groupWidth, 20}, tree);
        const std::vector<HWND> options = children(group);
        ASSERT_EQ(options.size(), row.options.size()) << row.id << "\n" << formatTree(group);
        for (std::size_t i = 0; i < options.size(); ++i) {
            const WindowInfo o = describe(options[i]);
            const int offset = row.options[i];
            EXPECT_EQ(o.id, row.id + offset) << row.id;
            EXPECT_EQ(o.rect.left, 10 + (offset - 8) / 4 * 20) << row.id << " " << offset;
            EXPECT_EQ(o.width(), 20);
            EXPECT_EQ(o.height(), 20);
            EXPECT_EQ(o.text, L"");
            EXPECT_EQ(o.enabled, enabled) << row.id << " " << offset;
        }
    }
    app.screenshot("empty_window");
}

TEST(ChimewrightLayout, ProgramCarriesItsIconInEverySize) {
    HMODULE module = ::LoadLibraryExW(program("chimewright.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(module, MAKEINTRESOURCEW(101), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(icon);
    }
    ::FreeLibrary(module);
}

TEST(ChimewrightLayout, ResizingKeepsTheCommandsAtTheCentreAndTheRightEdge) {
    ChimewrightSession app;
    for (int width : {1000, 700}) {
        ::SetWindowPos(app.window, nullptr, 0, 0, width, 7 * 24 + 490, SWP_NOMOVE | SWP_NOZORDER);
        settle(app.window);
        waitUntil([&] { return describe(app.window).width() == width; }, "the new width");
        expectMainLayout(app, 7);
        // The rows stay where they were.
        expectAt(app.window, {3280, L"", 340, 7 * 24 + 425, 20, 20}, app.tree());
    }
    ::SetWindowPos(app.window, nullptr, 0, 0, 1000, 7 * 24 + 490, SWP_NOMOVE | SWP_NOZORDER);
    settle(app.window);
    app.screenshot("wide_window");
}

TEST(ChimewrightLayout, DisplineSwitchSetsTheNumberOfLines) {
    ChimewrightSession app({L"/displine3"});
    EXPECT_EQ(describe(app.window).height(), 562);
    expectMainLayout(app, 3);
    app.close();
}
