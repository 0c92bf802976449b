// The batch from the window: the folder browser, each row's result in the list as the list
// follows the row being converted, the retry question and the final message; and the files
// are the ones the console program writes for the same settings.
#include "tests/gui/chimewright/chimewright_session.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>

using namespace gui_test;
using cw_gui_test::ChimewrightSession;
namespace ids = cw_gui_test::ids;

namespace {

// The new-style folder browser fills its tree first; on a busy machine that takes a while.
constexpr Milliseconds browserTimeout{30000};

// n505, p903 and Android on, in the form the window's rows build (Android's row has no
// "8kHz" button, so its bit stays set); the copyright for the files.
const char* const batchSettings = "[STYLE]\r\nn505=776\r\np903=776\r\nAndr=801\r\n"
                                  "[user]\r\ncopyright=(c) window\r\n";

std::map<std::filesystem::path, std::string> filesBelow(const std::filesystem::path& root) {
    std::map<std::filesystem::path, std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ec))
        if (entry.is_regular_file())
            files[std::filesystem::relative(entry.path(), root)] =
                testing_support::fileBytes(entry.path());
    return files;
}

// An Ogg file with every page's serial number and check sum set to zero: the encoder picks a
// fresh serial number for every file.
std::string withoutSerials(std::string ogg) {
    std::size_t at = 0;
    while (at + 27 <= ogg.size() && ogg.compare(at, 4, "OggS") == 0) {
        const std::size_t segments = static_cast<unsigned char>(ogg[at + 26]);
        if (at + 27 + segments > ogg.size()) break;
        std::size_t body = 0;
        for (std::size_t s = 0; s < segments; ++s)
            body += static_cast<unsigned char>(ogg[at + 27 + s]);
        for (std::size_t i : {14, 15, 16, 17, 22, 23, 24, 25})
            ogg[at + i] = 0;
        at += 27 + segments + body;
    }
    return ogg;
}

// Clicks "make MLD" until the folder browser opens: a click that comes while the previous
// batch is still ending is ignored, as it is when a user clicks.
HWND openFolderBrowser(const ChimewrightSession& app) {
    const auto deadline = std::chrono::steady_clock::now() + browserTimeout;
    for (;;) {
        postCommand(app.window, ids::makeMld, BN_CLICKED, app.control(ids::makeMld));
        try {
            return waitForFolderBrowser(app.process, Milliseconds(3000));
        } catch (const AutomationError&) {
            if (std::chrono::steady_clock::now() >= deadline) throw;
        }
    }
}

// Starts the batch and picks `folder` in the folder browser.
void runBatchInto(const ChimewrightSession& app, const std::filesystem::path& folder) {
    chooseFolder(openFolderBrowser(app), folder, browserTimeout);
}

} // namespace

TEST(ChimewrightBatch, EmptyListAsksForFilesWithoutAFolderBrowser) {
    ChimewrightSession app;
    postCommand(app.window, ids::makeMld, BN_CLICKED, app.control(ids::makeMld));
    MessageBoxInfo box = waitForMessageBox(app.process);
    EXPECT_EQ(box.caption, L"Chimewright");
    EXPECT_EQ(box.text, L"wavファイルをドロップしてください");
    EXPECT_EQ(box.owner, app.window);
    answer(box, IDOK);
    app.close();
    EXPECT_EQ(app.setting("user", "output"), "<none>");
}

TEST(ChimewrightBatch, WritesWhatTheConsoleProgramWrites) {
    ChimewrightSession app({}, batchSettings);
    const auto bell = app.makeFile("bell.wav", cw_gui_test::toneWav(1.0, 2));
    const auto chime = app.makeFile("着信.wav", cw_gui_test::toneWav(0.6, 1, 8000, 440.0));
    app.drop({bell, chime});
    app.expectPath(1, chime);
    setText(app.field(ids::output, 1), L"chime");

    const std::filesystem::path out = app.outputFolder(L"out window");
    runBatchInto(app, out);
    MessageBoxInfo done = waitForMessageBox(app.process, Milliseconds(120000));
    EXPECT_EQ(done.caption, L"Chimewright");
    EXPECT_EQ(done.text, L"変換は全て成功しました");
    EXPECT_EQ(app.fieldText(ids::result, 0), L"◎");
    EXPECT_EQ(app.fieldText(ids::result, 1), L"◎");
    app.screenshot("finished_batch");
    answer(done, IDOK);
    EXPECT_EQ(app.setting("user", "output"), toUtf8(out.wstring()));

    // The next batch's folder browser opens on the folder this one wrote into.
    HWND browser = openFolderBrowser(app);
    waitUntil([&] { return selectedFolderName(browser) == L"out window"; },
              "the stored folder preselected", browserTimeout,
              [&] { return toUtf8(selectedFolderName(browser)); });
    pressCancel(browser);

    // The console program, same settings file, same rows.
    const std::filesystem::path cliOut = app.outputFolder(L"out console");
    const std::filesystem::path cliWork = app.folder() / L"console work";
    std::filesystem::create_directories(cliWork);
    testing_support::putFile(
        app.folder() / L"rows.txt",
        toUtf8(bell.wstring() + L"\tbell\tbell\r\n" + chime.wstring() + L"\t着信\tchime\r\n"));
    LaunchOptions cli;
    cli.program = program("chimewright-cli.exe");
    cli.arguments = {L"--work-dir",    cliWork.wstring(), L"-o",
                     cliOut.wstring(), L"--list",         (app.folder() / L"rows.txt").wstring()};
    cli.workingDir = app.folder();
    cli.environment = {{L"WINDIR", app.folder().wstring()}};
    Process console = Process::launch(cli);
    EXPECT_EQ(console.waitForExitCode(Milliseconds(120000)), 0u);

    const auto windowFiles = filesBelow(out);
    const auto consoleFiles = filesBelow(cliOut);
    std::vector<std::filesystem::path> names;
    for (const auto& [name, bytes] : windowFiles)
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<std::filesystem::path>{L"Andr\\bell.ogg", L"Andr\\chime.ogg",
                                                         L"n505\\bell.mld", L"n505\\chime.mld",
                                                         L"p903\\bell.mld", L"p903\\chime.mld"}));
    ASSERT_EQ(windowFiles.size(), consoleFiles.size());
    for (const auto& [name, bytes] : windowFiles) {
        ASSERT_TRUE(consoleFiles.count(name)) << name;
        if (name.extension() == L".ogg")
            EXPECT_EQ(withoutSerials(bytes), withoutSerials(consoleFiles.at(name))) << name;
        else
            EXPECT_EQ(bytes, consoleFiles.at(name)) << name;
    }
    app.close();
}

TEST(ChimewrightBatch, FailedRowsLeadToTheRetryQuestion) {
    ChimewrightSession app({}, batchSettings);
    const auto good = app.makeFile("good.wav", cw_gui_test::toneWav(0.3));
    const auto text = app.makeFile("notes.wav", "not a sound file at all, only text");
    app.drop({good, text});
    app.expectPath(1, text);

    // Cancelling the folder browser ends the batch before anything is converted.
    pressCancel(openFolderBrowser(app));
    settle(app.window);
    EXPECT_TRUE(noMessageBox(app.process));
    EXPECT_EQ(app.fieldText(ids::result, 0), L"");

    runBatchInto(app, app.outputFolder(L"out"));
    MessageBoxInfo retry = waitForMessageBox(app.process, Milliseconds(60000));
    EXPECT_EQ(retry.caption, L"CHIMEWRIGHT");
    EXPECT_EQ(retry.text, L"変換は終了しましたが、変換エラーとなったファイルがあります。\r\n"
                          L"エラーファイルのみリトライしますか？");
    EXPECT_EQ(retry.buttonIds(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(app.fieldText(ids::result, 0), L"◎");
    const std::wstring failure = app.fieldText(ids::result, 1);
    EXPECT_NE(failure, L"");
    EXPECT_NE(failure, L"◎");
    app.screenshot("retry_question");

    // Yes converts the failed row once more and asks again; No ends with the texts standing.
    answer(retry, IDYES);
    answer(waitForMessageBox(app.process, Milliseconds(60000)), IDNO);
    pause(Milliseconds(500));
    EXPECT_TRUE(noMessageBox(app.process));
    EXPECT_EQ(app.fieldText(ids::result, 1), failure);

    // The batch is over: Clear works again.
    clickButton(app.control(ids::clear));
    waitUntil([&] { return app.fieldText(ids::path, 0).empty(); }, "the list cleared");
    app.close();
}

TEST(ChimewrightBatch, ListFollowsTheRowBeingConverted) {
    ChimewrightSession app({}, batchSettings);
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 20; ++i)
        files.push_back(app.makeFile("tone" + std::to_string(100 + i) + ".wav",
                                     cw_gui_test::toneWav(3.0, 2, 44100, 300.0 + 20 * i)));
    app.drop(files);
    app.expectPath(6, files[6]);
    const auto late = app.makeFile("late.wav", cw_gui_test::toneWav(0.2));

    runBatchInto(app, app.outputFolder(L"out"));
    // While the batch runs the list cannot be changed: Clear, a drop and a paste are refused.
    clickButton(app.control(ids::clear));
    app.drop({late});
    clickButton(app.control(ids::importList)); // not even the question
    settle(app.window);
    EXPECT_TRUE(noMessageBox(app.process));
    EXPECT_EQ(app.fieldText(ids::path, 0), files[0].wstring());

    // The last line shows the row being converted.
    waitUntil([&] { return app.fieldText(ids::path, 6) == files[9].wstring(); },
              "row 10 on the last line", Milliseconds(120000));
    app.screenshot("batch_in_progress");
    // The batch may have moved on meanwhile, but the first line never shows a row before the
    // tenth one's page, and shows it converted.
    const std::wstring first = app.fieldText(ids::path, 0);
    const auto shown = std::find(files.begin(), files.end(), std::filesystem::path(first));
    ASSERT_NE(shown, files.end()) << toUtf8(first);
    EXPECT_GE(shown - files.begin(), 3);
    EXPECT_EQ(app.fieldText(ids::result, 0), L"◎");

    MessageBoxInfo done = waitForMessageBox(app.process, Milliseconds(240000));
    EXPECT_EQ(done.text, L"変換は全て成功しました");
    for (int line = 0; line < 7; ++line) {
        EXPECT_EQ(app.fieldText(ids::path, line), files[13 + line].wstring()) << line;
        EXPECT_EQ(app.fieldText(ids::result, line), L"◎") << line;
    }
    answer(done, IDOK);
    scrollWindow(app.list, true, SB_BOTTOM);
    settle(app.window);
    EXPECT_EQ(app.fieldText(ids::path, 6), files[19].wstring()); // "late" never joined
    app.close();
}

TEST(ChimewrightBatch, ClosingDuringABatchWaitsForItsEnd) {
    ChimewrightSession app({}, batchSettings);
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 4; ++i)
        files.push_back(app.makeFile("close" + std::to_string(i) + ".wav",
                                     cw_gui_test::toneWav(3.0, 2, 44100)));
    app.drop(files);
    app.expectPath(3, files[3]);
    const std::filesystem::path out = app.outputFolder(L"out");
    runBatchInto(app, out);
    ::PostMessageW(app.window, WM_CLOSE, 0, 0);

    // No final message keeps the program open: it ends once the last row is written.
    EXPECT_EQ(app.process.waitForExitCode(Milliseconds(120000)), 0u);
    for (int i = 0; i < 4; ++i)
        for (const wchar_t* target : {L"n505", L"p903"})
            EXPECT_FALSE(
                testing_support::fileBytes(out / target / (L"close" + std::to_wstring(i) + L".mld"))
                    .empty())
                << i;
    EXPECT_EQ(app.setting("STYLE", "p903"), "776"); // the settings were saved on the way out
}
