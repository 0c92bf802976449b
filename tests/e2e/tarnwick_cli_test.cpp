// tarnwick's console program end to end: the options that stand for the title dialog, the
// message it prints, its exit status, and one instance at a time.
#include "platform/named_lock.hpp"
#include "platform/text.hpp"
#include "platform/ui_language.hpp"
#include "shared/tarnwick_console.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace testing_support;

namespace {

// On Windows the plain name belongs to the window program.
#ifdef _WIN32
constexpr const char* consoleProgram = "tarnwick-cli";
#else
constexpr const char* consoleProgram = "tarnwick";
#endif

class TarnwickCli : public ::testing::Test {
protected:
    ScratchFolder scratch;
    // Messages in English unless a test asks otherwise. Windows takes the language of its
    // user interface instead, which the environment does not change.
    e2e::ScopedEnvironment lcAll{"LC_ALL", "C"};
    e2e::ScopedEnvironment lang{"LANG", "C"};
    const bool japanese = platform::userInterfaceIsJapanese();

    std::string text(const char* english, const char* inJapanese) const {
        return japanese ? inJapanese : english;
    }

    std::string wav(const char* name, std::size_t frames, std::uint32_t rate = 8000) {
        WavSpec layout;
        layout.rate = rate;
        putFile(scratch / name, makeWav(layout, sineWave(440, rate, frames, 9000)));
        return platform::pathToUtf8(scratch / name);
    }

    // Output lines end in "\n" (Windows writes "\r\n" to text streams).
    e2e::ProgramRun run(const std::vector<std::string>& arguments) {
        e2e::ProgramRun r = e2e::runProgram(consoleProgram, arguments, scratch.path());
        std::erase(r.out, '\r');
        std::erase(r.err, '\r');
        return r;
    }

    static std::string sizeText(std::size_t bytes) {
        char text[64];
        std::snprintf(text, sizeof text, "%.2fKB", static_cast<double>(bytes) / 1024);
        return text;
    }
};

} // namespace

TEST_F(TarnwickCli, OptionsStandForTheTitleDialog) {
    const std::string input = wav("song.wav", 4000);
    const e2e::ProgramRun r =
        run({"--title", "Bell, r\\ing", "--copyright", "me", "--protect", "--4k", input});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string smaf = fileBytes(scratch / "song.mmf");
    ASSERT_GT(smaf.size(), 60u);
    EXPECT_EQ(r.out, text("SMAF File Size : ", "SMAFファイルサイズ : ") + sizeText(smaf.size()) + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(smaf[8 + 8 + 3], 1) << "protected";
    EXPECT_NE(smaf.find("ST:Bell\\, r\\\\ing,"), std::string::npos);
    EXPECT_NE(smaf.find("CR:me,"), std::string::npos);
    const std::size_t track = smaf.find("ATR");
    ASSERT_NE(track, std::string::npos);
    EXPECT_EQ(smaf[track + 8 + 2], 0x10) << "written at 4000 Hz";
}

TEST_F(TarnwickCli, TitleDefaultsToTheFileName) {
    const e2e::ProgramRun r = run({wav("chime.wav", 4000)});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string smaf = fileBytes(scratch / "chime.mmf");
    EXPECT_NE(smaf.find("ST:chime,"), std::string::npos);
    EXPECT_EQ(smaf.find("CR:"), std::string::npos);
    EXPECT_EQ(smaf[8 + 8 + 3], 0);
}

TEST_F(TarnwickCli, FailureIsPrintedAndEndsWithOne) {
    const e2e::ProgramRun r = run({wav("short.wav", 100)});
    EXPECT_EQ(r.status, suite::tarnwickExit::failed);
    EXPECT_EQ(r.err, text("Inadequate WAVE file playtime\n", "WAVEの再生時間が短すぎます\n"));
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(platform::fileExists(scratch / "short.mmf"));
}

TEST_F(TarnwickCli, JapaneseUnderAJapaneseLocale) {
    e2e::ScopedEnvironment japanese{"LC_ALL", "ja_JP.UTF-8"};
    e2e::ScopedEnvironment japaneseLang{"LANG", "ja_JP.UTF-8"};
    if (!platform::userInterfaceIsJapanese()) GTEST_SKIP() << "the user interface is not Japanese";
    const e2e::ProgramRun bad = run({platform::pathToUtf8(scratch / "song.wave")});
    EXPECT_EQ(bad.status, suite::tarnwickExit::failed);
    EXPECT_EQ(bad.err, "拡張子が\".wav\"ではありません\n");
    const e2e::ProgramRun good = run({wav("song.wav", 4000)});
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out.rfind("SMAFファイルサイズ : ", 0), 0u) << good.out;
}

TEST_F(TarnwickCli, UsageProblemsEndWithTwo) {
    const std::string input = wav("a.wav", 4000);
    const std::vector<std::vector<std::string>> cases = {
        {}, {"--title"}, {input, input}, {"--loud", input},
    };
    for (const auto& arguments : cases) {
        const e2e::ProgramRun r = run(arguments);
        EXPECT_EQ(r.status, suite::tarnwickExit::usage) << r.err;
        EXPECT_NE(r.err.find(std::string("usage: ") + consoleProgram + " "), std::string::npos);
    }
    EXPECT_FALSE(platform::fileExists(scratch / "a.mmf"));
}

TEST_F(TarnwickCli, SecondInstanceEndsSilently) {
    const std::string input = wav("a.wav", 4000);
    platform::NamedLock running(suite::tarnwickInstanceLock);
    ASSERT_TRUE(running.tryLock());
    const e2e::ProgramRun r = run({input});
    EXPECT_EQ(r.status, suite::tarnwickExit::otherInstance);
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_FALSE(platform::fileExists(scratch / "a.mmf"));
}
