// What the user sets in the rows, the loop box and the size-limit field reaches the settings
// file when the window closes, with its keys and formats; presets load into the rows.
#include "tests/gui/chimewright/chimewright_session.hpp"

#include <gtest/gtest.h>

using namespace gui_test;
using cw_gui_test::ChimewrightSession;
namespace ids = cw_gui_test::ids;

TEST(ChimewrightSettings, RowControlsAreStoredOnClosing) {
    ChimewrightSession app;
    // n503: on, at 37 % and then one step down; "4kHz".
    clickButton(app.control(3020));
    HWND n503Bar = app.control(3024);
    scrollBar(n503Bar, SB_THUMBPOSITION, 37);
    scrollBar(n503Bar, SB_LINELEFT);
    waitUntil([&] { return windowText(app.control(3021)) == L"n503(36%)"; }, "n503 at 36 %");
    EXPECT_EQ(scrollState(n503Bar).position, 36);
    EXPECT_EQ(scrollState(n503Bar).minimum, 1);
    EXPECT_EQ(scrollState(n503Bar).maximum, 100);
    EXPECT_TRUE(describe(n503Bar).enabled);
    clickButton(app.option(3020, 12));
    // n505: on, "16kStereo", "Unlimited" off; ten steps up stop at 100 %.
    clickButton(app.control(3040));
    clickButton(app.option(3040, 32));
    clickButton(app.option(3040, 8));
    scrollBar(app.control(3044), SB_PAGERIGHT);
    // p903 off: its controls go grey.
    clickButton(app.control(3260));
    waitUntil([&] { return !describe(app.option(3260, 8)).enabled; }, "p903's options disabled");
    EXPECT_FALSE(describe(app.control(3264)).enabled);
    // The normalisation level, the loop box and the size limit.
    scrollBar(app.control(3014), SB_PAGELEFT);
    clickButton(app.control(ids::loop));
    settle(app.window); // the click takes the focus when it is handled

    HWND size = app.control(ids::sizeLimit);
    setFocus(size);
    setText(size, L"");
    typeText(size, L"5");
    settle(app.window);
    setFocus(app.control(ids::loop));
    waitUntil([&] { return windowText(size) == L"10"; }, "the size limit clamped to 10",
              defaultTimeout, [&] { return toUtf8(windowText(size)); });
    app.screenshot("rows_set");
    app.close();

    EXPECT_EQ(app.setting("STYLE", "n503"), "640"); // Create + 4kHz
    EXPECT_EQ(app.setting("VOLUME", "n503"), "0.360000");
    EXPECT_EQ(app.setting("STYLE", "n505"), "516"); // Create + 16kStereo
    EXPECT_EQ(app.setting("VOLUME", "n505"), "1.000000");
    EXPECT_EQ(app.setting("STYLE", "p903"), "264"); // Unlimited + 16kHz
    EXPECT_EQ(app.setting("STYLE", "Andr"), "801"); // its row has no "8kHz" button: bit 5 stays
    EXPECT_EQ(app.setting("STYLE", "normoff"), "544");
    EXPECT_EQ(app.setting("VOLUME", "normalize"), "0.900000");
    EXPECT_EQ(app.setting("STYLE", "mmf"), "264");
    EXPECT_EQ(app.setting("STYLE", "qcp"), "32");
    EXPECT_EQ(app.setting("OPTION", "loop"), "1");
    EXPECT_EQ(app.setting("OPTION", "maxmld"), "10");
}

TEST(ChimewrightSettings, SwitchesShowInTheWindowAndAreKept) {
    ChimewrightSession app({L"/normoff", L"/V80", L"/maxmld800000", L"/loop"});
    EXPECT_FALSE(isChecked(app.control(3010)));
    EXPECT_EQ(windowText(app.control(3011)), L"Normalize(80%)");
    EXPECT_EQ(windowText(app.control(ids::sizeLimit)), L"100000");
    EXPECT_TRUE(isChecked(app.control(ids::loop)));
    HWND size = app.control(ids::sizeLimit);
    setText(size, L"800000");
    setFocus(size);
    setFocus(app.control(ids::loop));
    settle(app.window);
    EXPECT_EQ(windowText(size), L"800000");
    // More digits than any limit: held at the top, not wrapped round.
    setFocus(size);
    setText(size, L"123456789012345");
    setFocus(app.control(ids::loop));
    waitUntil([&] { return windowText(size) == L"800000"; }, "the size limit held at 800000",
              defaultTimeout, [&] { return toUtf8(windowText(size)); });
    app.close();
    EXPECT_EQ(app.setting("STYLE", "normoff"), "32");
    EXPECT_EQ(app.setting("VOLUME", "normalize"), "0.800000");
    EXPECT_EQ(app.setting("OPTION", "loop"), "1");
    EXPECT_EQ(app.setting("OPTION", "maxmld"), "800000");
}

TEST(ChimewrightSettings, PresetsLoadIntoTheRowsAndSaveFromThem) {
    ChimewrightSession app({}, "[PresetBSTYLE]\r\nn503=672\r\nnormoff=32\r\n"
                               "[PresetBVOLUME]\r\nn503=0.25\r\n"
                               "[PresetBOPTION]\r\nloop=1\r\nmaxmld=5000\r\n");
    HWND presets = app.control(ids::presetBox);
    ::SendMessageW(presets, CB_SETCURSEL, 2, 0);
    postCommand(app.window, ids::presetBox, CBN_SELCHANGE, presets);
    waitUntil([&] { return windowText(app.control(3021)) == L"n503(25%)"; }, "PresetB's n503");
    EXPECT_TRUE(isChecked(app.control(3020)));
    EXPECT_TRUE(isChecked(app.option(3020, 12))); // 672 = Create + 4kHz + 8kHz: 4kHz wins
    EXPECT_FALSE(isChecked(app.option(3020, 16)));
    EXPECT_FALSE(isChecked(app.control(3010)));
    EXPECT_TRUE(isChecked(app.control(ids::loop)));
    EXPECT_EQ(windowText(app.control(ids::sizeLimit)), L"5000");

    // Save writes the rows as they build their flags words; with "Latest" shown it writes nothing.
    clickButton(app.control(ids::save));
    // The program rewrites the file for every key it saves, so a read while it still saves may
    // find the file cut short: wait for the keys themselves.
    waitUntil(
        [&] {
            return app.setting("PresetBVOLUME", "m702") == "1.000000" &&
                   app.setting("PresetBSTYLE", "n503") == "640" &&
                   app.setting("PresetBVOLUME", "n503") == "0.250000";
        },
        "PresetB saved: n503 as STYLE 640 and VOLUME 0.25, m702 at 1.0");
    ::SendMessageW(presets, CB_SETCURSEL, 0, 0);
    postCommand(app.window, ids::presetBox, CBN_SELCHANGE, presets);
    waitUntil([&] { return windowText(app.control(3021)) == L"n503(100%)"; }, "Latest's n503");
    clickButton(app.control(ids::save));
    settle(app.window);
    EXPECT_EQ(app.setting("STYLE", "n503"), "<none>");
}

TEST(ChimewrightSettings, CopyrightIsEditedInItsDialog) {
    ChimewrightSession app({}, "[user]\r\ncopyright=(c) old\r\n");
    clickButton(app.control(ids::copyright));
    HWND dialog = waitForWindow(app.process, {.className = L"#32770", .text = L"Copyright"});
    HWND edit = childById(dialog, 202);
    EXPECT_EQ(windowText(edit), L"(c) old");
    setText(edit, L"(c) 2026 着信工房");
    app.screenshot("copyright_dialog");
    postCommand(dialog, IDOK);
    waitForWindowGone(dialog);
    waitUntil([&] { return app.setting("user", "copyright") == "(c) 2026 着信工房"; },
              "the copyright stored");

    clickButton(app.control(ids::copyright));
    dialog = waitForWindow(app.process, {.className = L"#32770", .text = L"Copyright"});
    setText(childById(dialog, 202), L"discarded");
    postCommand(dialog, IDCANCEL);
    waitForWindowGone(dialog);
    app.close();
    EXPECT_EQ(app.setting("user", "copyright"), "(c) 2026 着信工房");
}
