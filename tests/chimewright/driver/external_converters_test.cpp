// tarnwick's console program and the QCP converter as child processes: what they are given,
// what comes back, and the result codes. The real tarnwick and a scripted stand-in are
// taken from the test program's folder, where the build puts every program.
#include "chimewright/driver/external_converters.hpp"
#include "chimewright/driver/input_check.hpp"
#include "chimewright/driver/tarnwick_window_route.hpp"
#include "platform/named_lock.hpp"
#include "platform/text.hpp"
#include "shared/tarnwick_console.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

#ifdef _WIN32
constexpr const char* exe = ".exe";
#else
constexpr const char* exe = "";
#endif

const platform::Path builtTarnwick = platform::moduleFolder() / cw::tarnwickFileName();

// The stand-in, copied under `name` into `folder`, told what to do.
platform::Path standIn(const platform::Path& folder, const std::string& name,
                       const std::string& script) {
    const platform::Path target = folder / name;
    std::error_code ec;
    std::filesystem::copy_file(platform::moduleFolder() / (std::string("converter_standin") + exe),
                               target, std::filesystem::copy_options::overwrite_existing, ec);
    EXPECT_FALSE(ec) << ec.message();
    putFile(folder / (name + ".how"), script);
    return target;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

std::string wav8k(std::size_t frames) {
    return makeWav(WavSpec{}, sineWave(500, 8000, frames, 9000));
}

class ExternalConverters : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path work = scratch / "work";
    platform::Path programs = scratch / "programs";

    void SetUp() override {
        ASSERT_TRUE(platform::createFolder(work));
        ASSERT_TRUE(platform::createFolder(programs));
    }
};

} // namespace

TEST_F(ExternalConverters, TarnwickWritesTheFileWithTheDialogValues) {
    putFile(work / "_cwm8tmp.wav", wav8k(2000));
    const std::string title = "着信 \"bell\"";
    ASSERT_EQ(cw::runTarnwick(builtTarnwick, work, work / "_cwm8tmp.wav", title, false, "(c) me"), 0);

    const std::string smaf = fileBytes(work / "_cwm8tmp.mmf");
    ASSERT_GT(smaf.size(), 60u);
    EXPECT_EQ(smaf.substr(0, 4), "MMMD");
    EXPECT_EQ(smaf[8 + 8 + 3], 1) << "a copyright sets the protection switch";
    EXPECT_NE(smaf.find("ST:" + platform::utf8ToCp932(title) + ","), std::string::npos);
    EXPECT_NE(smaf.find("CR:(c) me,"), std::string::npos);
    const std::size_t track = smaf.find("ATR");
    ASSERT_NE(track, std::string::npos);
    EXPECT_EQ(smaf[track + 8 + 2], 0x11) << "written at 8000 Hz";
}

TEST_F(ExternalConverters, TarnwickAtFourKilohertzWithoutCopyright) {
    putFile(work / "_cwm4tmp.wav", wav8k(2000));
    ASSERT_EQ(cw::runTarnwick(builtTarnwick, work, work / "_cwm4tmp.wav", "", true, ""), 0);
    const std::string smaf = fileBytes(work / "_cwm4tmp.mmf");
    ASSERT_GT(smaf.size(), 60u);
    EXPECT_EQ(smaf[8 + 8 + 3], 0);
    EXPECT_EQ(smaf.find("ST:"), std::string::npos) << "an empty title leaves the tag out";
    EXPECT_EQ(smaf.find("CR:"), std::string::npos);
    const std::size_t track = smaf.find("ATR");
    ASSERT_NE(track, std::string::npos);
    EXPECT_EQ(smaf[track + 8 + 2], 0x10) << "written at 4000 Hz";
}

// The command line is the contract with tarnwick's console program (the route off Windows);
// a title with blanks, quotes and backslashes arrives unchanged.
TEST_F(ExternalConverters, TarnwickIsGivenTheDialogValuesAsOptions) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows drives tarnwick's windows instead";
#endif
    const platform::Path fake = standIn(programs, cw::tarnwickFileName(), "args\n");
    const std::string title = "say \"hi\" \\ -x";
    ASSERT_EQ(cw::runTarnwick(fake, work, work / "_cw6tmp.wav", title, true, "© 2024"), 0);
    const std::vector<std::string> got = lines(fileBytes(programs / (std::string(cw::tarnwickFileName()) + ".args")));
    const std::vector<std::string> expected = {
        "--title", title, "--copyright", "© 2024", "--protect", "--4k", "--",
        platform::pathToUtf8(work / "_cw6tmp.wav"), platform::pathToUtf8(work)};
    EXPECT_EQ(got, expected);
}

TEST_F(ExternalConverters, TarnwickResultCodes) {
    putFile(work / "short.wav", wav8k(100));
    EXPECT_EQ(cw::runTarnwick(programs / "no-such-program", work, work / "short.wav", "t", false, ""),
              1019);
    // A file tarnwick refuses writes nothing. The console program ends normally; the window
    // program shows its error where the title dialog was looked for, so its OK closes the
    // message and no message dialog follows.
#ifdef _WIN32
    const int refused = 1035;
#else
    const int refused = 0;
#endif
    EXPECT_EQ(cw::runTarnwick(builtTarnwick, work, work / "short.wav", "t", false, ""), refused);
    EXPECT_FALSE(platform::fileExists(work / "short.mmf"));
}

TEST_F(ExternalConverters, SecondTarnwickEndsAtOnce) {
    putFile(work / "_cwm8tmp.wav", wav8k(2000));
    platform::NamedLock running(suite::tarnwickInstanceLock);
    ASSERT_TRUE(running.tryLock());
#ifdef _WIN32
    // A process takes longer than the 200 ms of the start check to begin and end under Wine
    // (then the code is 1021, no window); a longer check shows the second instance's code.
    cw::TarnwickWindowTimes slowStart;
    slowStart.startCheckMs = 5000;
    EXPECT_EQ(cw::runTarnwickWindows(builtTarnwick, work, work / "_cwm8tmp.wav", "t", false, "",
                                     platform::dropPlacementHere(), slowStart),
              1033);
#else
    EXPECT_EQ(cw::runTarnwick(builtTarnwick, work, work / "_cwm8tmp.wav", "t", false, ""), 1033);
#endif
    EXPECT_FALSE(platform::fileExists(work / "_cwm8tmp.mmf"));
    running.unlock();
    EXPECT_EQ(cw::runTarnwick(builtTarnwick, work, work / "_cwm8tmp.wav", "t", false, ""), 0);
    EXPECT_TRUE(platform::fileExists(work / "_cwm8tmp.mmf"));
}

TEST_F(ExternalConverters, TarnwickWithoutExitStatus) {
#ifdef _WIN32
    GTEST_SKIP() << "every Windows process ends with an exit code";
#else
    const platform::Path script = programs / "tarnwick";
    putFile(script, "#!/bin/sh\nkill -KILL $$\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    EXPECT_EQ(cw::runTarnwick(script, work, work / "a.wav", "t", false, ""), 1032);
#endif
}

#ifdef _WIN32
// tarnwick's windows misbehaving, played by a stand-in window program: each way gives its
// code and leaves no process behind. The drop reaches the stand-in with the name intact.
TEST_F(ExternalConverters, TarnwickWindowsThatMisbehave) {
    struct Case {
        const char* how;
        int code;
    };
    const Case cases[] = {
        {"normal", 0},
        {"late-title", 1036},
        {"no-message", 1035},
        {"message-without-power", 1022},
        {"no-exit", 1023},
    };
    cw::TarnwickWindowTimes quick;
    quick.exitPolls = 4; // a second instead of 20 s before a hanging tarnwick is ended
    const platform::Path wav = work / "着信_cwm8tmp.wav";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        const std::string name = std::string("tarnwick_") + c.how + ".exe";
        std::error_code ec;
        std::filesystem::copy_file(platform::moduleFolder() / "tarnwick_window_standin.exe",
                                   programs / name,
                                   std::filesystem::copy_options::overwrite_existing, ec);
        ASSERT_FALSE(ec) << ec.message();
        putFile(programs / (name + ".how"), c.how);
        const platform::Path drops = programs / (name + ".drops");
        EXPECT_EQ(cw::runTarnwickWindows(programs / name, work, wav, "t", true, "(c)",
                                         platform::dropPlacementHere(), quick),
                  c.code);
        EXPECT_EQ(fileBytes(drops), platform::pathToUtf8(wav) + "\n");
        // The stand-in is gone: its program file can be replaced (a running one could not).
        EXPECT_TRUE(platform::deleteFile(programs / name));
    }
}
#endif

TEST_F(ExternalConverters, QcpConverterOutputIsCopied) {
    standIn(programs, cw::qcpConverterFileName, "args\ncopy _cwmtmp.wav _cwmtmp.qcp\n");
    putFile(work / "_cwmtmp.wav", "pretend sound");
    const platform::Path before = platform::currentFolder();
    ASSERT_TRUE(platform::setCurrentFolder(work));
    const platform::Path output = scratch / "out" / "qcp" / "bell.qcp";
    EXPECT_EQ(cw::runQcpConverter(programs, work, output), 0);
    platform::setCurrentFolder(before);

    EXPECT_EQ(fileBytes(output), "pretend sound");
    const std::vector<std::string> got =
        lines(fileBytes(programs / (std::string(cw::qcpConverterFileName) + ".args")));
    EXPECT_EQ(got, (std::vector<std::string>{"_cwmtmp.wav", platform::pathToUtf8(work)}));
}

TEST_F(ExternalConverters, QcpConverterMissingOrFailingMakesNoFile) {
    putFile(work / "_cwmtmp.wav", "pretend sound");
    const platform::Path before = platform::currentFolder();
    ASSERT_TRUE(platform::setCurrentFolder(work));
    const platform::Path output = scratch / "out" / "qcp" / "bell.qcp";
    EXPECT_EQ(cw::runQcpConverter(programs, work, output), 0);
    EXPECT_FALSE(platform::fileExists(output)) << "missing";

    standIn(programs, cw::qcpConverterFileName, "exit 5\n");
    EXPECT_EQ(cw::runQcpConverter(programs, work, output), 0);
    EXPECT_FALSE(platform::fileExists(output)) << "failing";
    platform::setCurrentFolder(before);
}
