// The file list: dropped files, the keyboard moves between the fields, and the list's
// export to and import from the clipboard.
#include "tests/gui/chimewright/chimewright_session.hpp"

#include <gtest/gtest.h>

using namespace gui_test;
using cw_gui_test::ChimewrightSession;
namespace ids = cw_gui_test::ids;

TEST(ChimewrightList, DroppedFilesGetTitlesAndAreListedOnce) {
    ChimewrightSession app;
    const auto take2 = app.makeFile("voice.take2.wav", "x");
    const auto readme = app.makeFile("README", "x");
    const auto bell = app.makeFile("着信 bell.wav", "x");
    app.drop({take2, readme});
    app.expectPath(1, readme);
    EXPECT_EQ(app.fieldText(ids::path, 0), take2.wstring());
    EXPECT_EQ(app.fieldText(ids::title, 0), L"voice");
    EXPECT_EQ(app.fieldText(ids::output, 0), L"voice");
    EXPECT_EQ(app.fieldText(ids::interval, 0), L"");
    EXPECT_EQ(app.fieldText(ids::title, 1), L"README");

    // Again, with one more, on the main window this time: the listed file is skipped.
    dropFiles(app.window, {take2, bell}, {.point = {300, 300}});
    app.expectPath(2, bell);
    EXPECT_EQ(app.fieldText(ids::title, 2), L"着信 bell");
    EXPECT_EQ(app.fieldText(ids::path, 3), L"");
    app.screenshot("filled_list");
}

TEST(ChimewrightList, KeysMoveBetweenTheFieldsAndScrollAtTheEnds) {
    ChimewrightSession app({L"/displine3"});
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 5; ++i)
        files.push_back(app.makeFile("row" + std::to_string(i) + ".wav", "x"));
    app.drop(files);
    app.expectPath(2, files[2]);

    auto focusIs = [&](int column, int line) {
        waitUntil([&] { return focusedWindow(app.window) == app.field(column, line); },
                  "the focus in column " + std::to_string(column) + " of line " +
                      std::to_string(line));
    };
    setFocus(app.field(ids::title, 0));
    focusIs(ids::title, 0);
    pressKey(app.field(ids::title, 0), VK_TAB);
    focusIs(ids::output, 0);
    pressKey(app.field(ids::output, 0), VK_TAB);
    focusIs(ids::interval, 0);
    pressKey(app.field(ids::interval, 0), VK_TAB);
    focusIs(ids::title, 1);
    pressKey(app.field(ids::title, 1), VK_DOWN);
    focusIs(ids::title, 2);

    // What was typed survives the scrolling: it is stored before the lines are redrawn.
    setText(app.field(ids::title, 2), L"edited");
    pressKey(app.field(ids::title, 2), VK_DOWN); // the last line: the list moves one row
    app.expectPath(2, files[3]);
    focusIs(ids::title, 2);
    EXPECT_EQ(app.fieldText(ids::title, 1), L"edited");

    pressKey(app.field(ids::title, 2), VK_TAB);
    pressKey(app.field(ids::output, 2), VK_TAB);
    focusIs(ids::interval, 2);
    pressKey(app.field(ids::interval, 2), VK_TAB); // last line, last field: one more row
    app.expectPath(2, files[4]);
    focusIs(ids::title, 2);
    pressKey(app.field(ids::title, 2), VK_DOWN); // no row beyond the last
    settle(app.window);
    EXPECT_EQ(app.fieldText(ids::path, 2), files[4].wstring());

    pressKey(app.field(ids::title, 2), VK_UP);
    focusIs(ids::title, 1);
    pressKey(app.field(ids::title, 1), VK_UP);
    focusIs(ids::title, 0);
    pressKey(app.field(ids::title, 0), VK_TAB, shift); // first line: up one row
    app.expectPath(0, files[1]);
    focusIs(ids::interval, 0);
    pressKey(app.field(ids::interval, 0), VK_TAB, shift);
    focusIs(ids::output, 0);
    pressKey(app.field(ids::output, 0), VK_UP);
    app.expectPath(0, files[0]);

    // The scroll bar and the wheel move the list too.
    scrollWindow(app.list, true, SB_BOTTOM);
    app.expectPath(0, files[2]);
    wheel(app.list, 1);
    app.expectPath(0, files[1]);
    scrollWindow(app.list, true, SB_PAGEUP);
    app.expectPath(0, files[0]);
}

TEST(ChimewrightList, ExportWritesOneTabbedLinePerRow) {
    ChimewrightSession app;
    clickButton(app.control(ids::exportList));
    MessageBoxInfo ask = waitForMessageBox(app.process);
    EXPECT_EQ(ask.caption, L"CHIMEWRIGHT");
    EXPECT_EQ(ask.text, L"ClipBoardへコピーします。\r\nよろしいですか？");
    EXPECT_EQ(ask.buttonIds(), (std::vector<int>{IDYES, IDNO}));
    answer(ask, IDYES);
    MessageBoxInfo empty = waitForMessageBox(app.process);
    EXPECT_EQ(empty.text, L"データがありません。");
    answer(empty, IDOK);

    const auto one = app.makeFile("one.wav", "x");
    const auto two = app.makeFile("二.wav", "x");
    app.drop({one, two});
    app.expectPath(1, two);
    setText(app.field(ids::interval, 1), L"250");
    setClipboardText(L"unchanged");
    clickButton(app.control(ids::exportList));
    answer(waitForMessageBox(app.process), IDNO);
    EXPECT_EQ(clipboardText(), L"unchanged");

    clickButton(app.control(ids::exportList));
    answer(waitForMessageBox(app.process), IDYES);
    const std::wstring expected = one.wstring() + L"\tone\tone\t    0\t    0\r\n" + two.wstring() +
                                  L"\t二\t二\t  250\t    0\r\n";
    waitUntil([&] { return clipboardText() == expected; }, "the exported list", defaultTimeout,
              [&] { return toUtf8(clipboardText().value_or(L"<none>")); });
}

TEST(ChimewrightList, ImportReplacesTheRows) {
    ChimewrightSession app;
    app.drop({app.makeFile("old.wav", "x")});
    setClipboardText(L"C:\\in\\only-path.wav\r\n"
                     L"C:\\in\\b.wav\tタイトル\r\n"
                     L"C:\\in\\c.wav\tc title\tc-out\t1500\t9999\textra\r\n"
                     L"a.w\tshort path\r\n");
    clickButton(app.control(ids::importList));
    MessageBoxInfo ask = waitForMessageBox(app.process);
    EXPECT_EQ(ask.caption, L"CHIMEWRIGHT");
    EXPECT_EQ(ask.text,
              L"ClipBoardからペーストします。\r\n現在のデータがクリアされますが、よろしいですか？");
    answer(ask, IDYES);
    app.expectPath(0, L"C:\\in\\only-path.wav");
    EXPECT_EQ(app.fieldText(ids::title, 0), L"");
    EXPECT_EQ(app.fieldText(ids::output, 0), L"");
    EXPECT_EQ(app.fieldText(ids::interval, 0), L"");
    EXPECT_EQ(app.fieldText(ids::title, 1), L"タイトル");
    EXPECT_EQ(app.fieldText(ids::output, 1), L"タイトル");
    EXPECT_EQ(app.fieldText(ids::output, 2), L"c-out");
    EXPECT_EQ(app.fieldText(ids::interval, 2), L"1500");
    EXPECT_EQ(app.fieldText(ids::result, 2), L"");
    EXPECT_EQ(app.fieldText(ids::path, 3), L""); // the short path was dropped

    clearClipboard();
    clickButton(app.control(ids::importList));
    answer(waitForMessageBox(app.process), IDYES);
    MessageBoxInfo empty = waitForMessageBox(app.process);
    EXPECT_EQ(empty.text, L"データがありません。");
    answer(empty, IDOK);
    EXPECT_EQ(app.fieldText(ids::path, 0), L""); // the list was cleared all the same
}
