// The console program end to end: settings file, rows, results, exit status.
#include "platform/profile.hpp"
#include "platform/text.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class ChimewrightCli : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path settingsFolder = scratch / "settings";
    platform::Path settingsFile = settingsFolder / "ferrowind.ini";
    platform::Path out = scratch / "out";
    platform::Path work = scratch / "work";
    // The run's own settings file, never the user's: WINDIR names its folder everywhere.
    e2e::ScopedEnvironment windir{"WINDIR", platform::pathToUtf8(settingsFolder)};

    void SetUp() override { ASSERT_TRUE(platform::createFolder(settingsFolder)); }

    std::string path(const platform::Path& p) { return platform::pathToUtf8(p); }

    std::string wav(const char* name, unsigned channels = 1, std::uint32_t rate = 8000) {
        WavSpec layout;
        layout.channels = static_cast<std::uint16_t>(channels);
        layout.rate = rate;
        putFile(scratch / name, makeWav(layout, sineWave(660, rate, rate / 4, 7000, channels)));
        return path(scratch / name);
    }

    e2e::ProgramRun run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--work-dir", path(work)});
        return e2e::runProgram("chimewright", arguments, scratch.path());
    }

    bool made(const char* target, const char* file) {
        return platform::fileExists(out / target / file);
    }
};

} // namespace

TEST_F(ChimewrightCli, OneBadInputAmongGoodOnes) {
    const std::string good1 = wav("bell.wav");
    const std::string good2 = wav("horn.wav", 2, 22050);
    putFile(scratch / "broken.wav", "this is not a sound file at all");
    const std::string bad = path(scratch / "broken.wav");

    const e2e::ProgramRun r = run({"-o", path(out), good1, bad, good2});

    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("bell.wav: ◎"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("broken.wav: 未対応のフォーマット(1007)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("horn.wav: ◎"), std::string::npos) << r.out;
    // Fresh settings: the Android target is on.
    EXPECT_TRUE(made("Andr", "bell.ogg"));
    EXPECT_TRUE(made("Andr", "horn.ogg"));
    EXPECT_FALSE(made("Andr", "broken.ogg"));
    // Standard input is no terminal: no retry question, no success message.
    EXPECT_EQ(r.err.find("リトライ"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("変換は全て成功しました"), std::string::npos) << r.err;
    // The output folder is stored as the batch stores it; nothing else is.
    EXPECT_EQ(platform::readProfileString(settingsFile, "user", "output", "", 1024), path(out));
    EXPECT_EQ(platform::readProfileString(settingsFile, "STYLE", "p903", "none", 256), "none");
}

TEST_F(ChimewrightCli, AllGoodRowsEndWithSuccess) {
    const e2e::ProgramRun r = run({"-o", path(out), wav("bell.wav")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("変換は全て成功しました"), std::string::npos) << r.err;

    // Without -o the stored folder is used again.
    platform::deleteFile(out / "Andr" / "bell.ogg");
    const e2e::ProgramRun again = run({wav("bell.wav")});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_TRUE(made("Andr", "bell.ogg"));
}

TEST_F(ChimewrightCli, SwitchesComeFromSwitchArgumentsOnly) {
    // "/loop" after a file is a file name; it cannot be opened.
    const e2e::ProgramRun r = run({"/normoff", "/maxmld5000", "--save", "-o", path(out),
                                   wav("bell.wav"), "/loop"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("bell.wav: ◎"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("loop: ファイルが開けません(1005)"), std::string::npos) << r.out;
    EXPECT_EQ(platform::readProfileString(settingsFile, "STYLE", "normoff", "", 256), "32");
    EXPECT_EQ(platform::readProfileString(settingsFile, "OPTION", "maxmld", "", 256), "5000");
    EXPECT_EQ(platform::readProfileString(settingsFile, "OPTION", "loop", "", 256), "0");
}

TEST_F(ChimewrightCli, ListRowsNameTheirOutputs) {
    const std::string bell = wav("bell.wav");
    const std::string horn = wav("horn.wav");
    putFile(scratch / "rows.txt", bell + "\tBell title\tcustom\t    0\t    0\r\n" + horn + "\r\n");
    const e2e::ProgramRun r = run({"-o", path(out), "--list", path(scratch / "rows.txt")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(made("Andr", "custom.ogg"));
    EXPECT_TRUE(made("Andr", "horn.ogg")) << "an empty name defaults as a dropped file's";
}

TEST_F(ChimewrightCli, UsageProblemsExitWithTwo) {
    struct Case { std::vector<std::string> arguments; int status; };
    const Case cases[] = {
        {{"--help"}, 0},
        {{}, 2},
        {{"--no-such-option", "x.wav"}, 2},
        {{"--preset", "PresetZ", "x.wav"}, 2},
        {{"--list", path(scratch / "missing.txt")}, 2},
        {{"--level", "0.5", "x.wav"}, 2},
    };
    for (const Case& c : cases) {
        const e2e::ProgramRun r = e2e::runProgram("chimewright", c.arguments, scratch.path());
        EXPECT_EQ(r.status, c.status) << (c.arguments.empty() ? "" : c.arguments[0]) << r.err;
    }
}
