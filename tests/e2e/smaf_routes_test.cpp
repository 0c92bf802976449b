// chimewright's SMAF routes through tarnwick and its QCP target through the outside
// converter, end to end: the settings file enables the target, the console program runs the
// batch, and the files land in the output tree, or do not. tarnwick and "PVConv.exe" are
// looked for beside chimewright: the tests that need other programs there, or none, run a
// copy of chimewright from a folder of their own.
#include "platform/named_lock.hpp"
#include "platform/profile.hpp"
#include "platform/text.hpp"
#include "shared/byte_order.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cstring>

using namespace testing_support;

namespace {

constexpr int create = 0x200, unlimited = 0x100, rate4k = 0x80, rate8k = 0x20;

// Bytes of a chunk body found by its four-byte identifier, or nothing.
std::string chunkBody(const std::string& file, const char* id) {
    const std::size_t at = file.find(std::string(id, 4));
    if (at == std::string::npos || at + 8 > file.size()) return {};
    const auto size =
        suite::readBe32(reinterpret_cast<const unsigned char*>(file.data()) + at + 4);
    return file.substr(at + 8, size);
}

// The data bytes of a temporary WAV file.
std::size_t tempDataBytes(const platform::Path& path) {
    const std::string bytes = fileBytes(path);
    return bytes.size() >= 44 ? bytes.size() - 44 : 0;
}

class SmafRoutes : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path settingsFolder = scratch / "settings";
    platform::Path out = scratch / "out";
    platform::Path work = scratch / "work";
    platform::Path programs = scratch / "programs";
    e2e::ScopedEnvironment windir{"WINDIR", platform::pathToUtf8(settingsFolder)};
    std::string input;

    void SetUp() override {
        ASSERT_TRUE(platform::createFolder(settingsFolder));
        ASSERT_TRUE(platform::createFolder(programs));
        // Four seconds of a stereo 22050-Hz file: every route resamples it, and it is longer
        // than any budget below holds.
        WavSpec layout;
        layout.channels = 2;
        layout.rate = 22050;
        putFile(scratch / "bell.wav", makeWav(layout, sineWave(660, 22050, 4 * 22050, 9000, 2)));
        input = platform::pathToUtf8(scratch / "bell.wav");
    }

    // Only the targets named here are enabled.
    void enable(int smafFlags, int qcpFlags = 0) {
        const platform::Path ini = settingsFolder / "ferrowind.ini";
        platform::writeProfileString(ini, "STYLE", "p903", "0");
        platform::writeProfileString(ini, "STYLE", "Andr", "0");
        platform::writeProfileString(ini, "STYLE", "mmf", std::to_string(smafFlags));
        platform::writeProfileString(ini, "STYLE", "qcp", std::to_string(qcpFlags));
    }

    e2e::ProgramRun runAt(const platform::Path& chimewright, std::vector<std::string> switches) {
        std::vector<std::string> arguments = std::move(switches);
        arguments.insert(arguments.end(), {"--work-dir", platform::pathToUtf8(work), "-o",
                                           platform::pathToUtf8(out), "--copyright", "me", input});
        return e2e::runProgramAt(chimewright, arguments, scratch.path());
    }
    // The built chimewright, with the built tarnwick beside it.
    e2e::ProgramRun run(std::vector<std::string> switches = {}) {
        return runAt(platform::moduleFolder() / e2e::consoleProgramName("chimewright"),
                     std::move(switches));
    }

    // A copy of chimewright in `programs`, with stand-ins beside it.
    platform::Path ownChimewright() {
        const platform::Path copy = programs / e2e::consoleProgramName("chimewright");
        copyProgram(e2e::consoleProgramName("chimewright"), copy);
        return copy;
    }
    void standIn(const std::string& name, const std::string& script) {
        copyProgram(e2e::executableName("converter_standin"), programs / name);
        putFile(programs / (name + ".how"), script);
    }
    static void copyProgram(const std::string& built, const platform::Path& to) {
        std::error_code ec;
        std::filesystem::copy_file(platform::moduleFolder() / built, to,
                                   std::filesystem::copy_options::overwrite_existing, ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    std::string smaf() { return fileBytes(out / "mmf" / "bell.mmf"); }
};

} // namespace

TEST_F(SmafRoutes, FourKilohertzUnlimited) {
    enable(create | unlimited | rate4k);
    const e2e::ProgramRun r = run();
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("bell.wav: ◎"), std::string::npos) << r.out;
    const std::string file = smaf();
    ASSERT_EQ(file.substr(0, 4), "MMMD");
    EXPECT_EQ(file, fileBytes(work / "_cwm4tmp.mmf"));
    EXPECT_NE(file.find("ST:bell,CR:me,"), std::string::npos);
    EXPECT_EQ(file[8 + 8 + 3], 1) << "a copyright protects";
    const std::string track = chunkBody(file, "ATR\0");
    ASSERT_GT(track.size(), 6u);
    EXPECT_EQ(track[2], 0x10);
    // Every other sample of the narrow-band 8 kHz file, two codes a byte.
    const std::size_t samples = (tempDataBytes(work / "_cwm4tmp.wav") + 2) / 4;
    EXPECT_GT(samples, 15000u);
    EXPECT_EQ(chunkBody(file, "Awa\x01").size(), (samples + 1) / 2);
}

TEST_F(SmafRoutes, EightKilohertzUnlimited) {
    enable(create | unlimited | rate8k);
    const e2e::ProgramRun r = run();
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const std::string file = smaf();
    ASSERT_EQ(file.substr(0, 4), "MMMD");
    EXPECT_EQ(file, fileBytes(work / "_cwm8tmp.mmf"));
    const std::string track = chunkBody(file, "ATR\0");
    ASSERT_GT(track.size(), 6u);
    EXPECT_EQ(track[2], 0x11);
    const std::size_t samples = tempDataBytes(work / "_cwm8tmp.wav") / 2;
    EXPECT_EQ(chunkBody(file, "Awa\x01").size(), (samples + 1) / 2);
}

// Without "Unlimited" the 8 kHz sound is cut to what the budget holds after the texts
// ("bell" and "me", 6 bytes) and 131 bytes of the file's own: the file stays within it.
TEST_F(SmafRoutes, BudgetLimited) {
    struct Case {
        std::vector<std::string> switches;
        int flags;
        std::size_t budget;
        int waveType;
    };
    const Case cases[] = {
        {{}, create | rate8k, 5900, 0x11},
        {{"/mmf6ksz3000"}, create | rate8k, 3000, 0x11},
        {{}, create | rate4k, 5900, 0x10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.budget);
        enable(c.flags);
        const e2e::ProgramRun r = run(c.switches);
        ASSERT_EQ(r.status, 0) << r.out << r.err;
        const std::string file = smaf();
        ASSERT_EQ(file.substr(0, 4), "MMMD");
        EXPECT_EQ(file, fileBytes(work / "_cw6tmp.mmf"));
        EXPECT_LE(file.size(), c.budget);
        EXPECT_EQ(chunkBody(file, "Awa\x01").size(), c.budget - 6 - 131);
        EXPECT_EQ(chunkBody(file, "ATR\0")[2], c.waveType);
    }
}

TEST_F(SmafRoutes, WithoutTarnwickNoSmafFile) {
    enable(create | unlimited | rate8k);
    const e2e::ProgramRun r = runAt(ownChimewright(), {});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("bell.wav: ◎"), std::string::npos) << r.out;
    EXPECT_FALSE(platform::fileExists(out / "mmf" / "bell.mmf"));
}

// Within the limit of 80 waits of 250 ms the stand-in is still asleep: it is ended. On
// Windows tarnwick is driven through its windows: the console stand-in never waits for
// window input, which is seen at once (the driver's own tests play the other hangs).
TEST_F(SmafRoutes, HangingTarnwickIsTerminated) {
    enable(create | unlimited | rate8k);
    const platform::Path chimewright = ownChimewright();
    standIn(e2e::executableName("tarnwick"), "sleep 600000\n");
    const e2e::ProgramRun r = runAt(chimewright, {});
    EXPECT_EQ(r.status, 1);
#ifdef _WIN32
    EXPECT_NE(r.out.find("bell.wav: Error:(1020)"), std::string::npos) << r.out;
#else
    EXPECT_NE(r.out.find("bell.wav: Error:(1023)"), std::string::npos) << r.out;
#endif
    EXPECT_FALSE(platform::fileExists(out / "mmf" / "bell.mmf"));
}

TEST_F(SmafRoutes, SecondTarnwickInstance) {
    enable(create | unlimited | rate8k);
    platform::NamedLock running("TARNWICKINSTANCE");
    ASSERT_TRUE(running.tryLock());
    const e2e::ProgramRun r = run();
    EXPECT_EQ(r.status, 1);
#ifdef _WIN32
    // The second tarnwick ends at once; when Wine takes longer than the 200 ms of the start
    // check for that, the driver sees a process without windows instead.
    const bool seen = r.out.find("bell.wav: (1033):Error") != std::string::npos ||
                      r.out.find("bell.wav: Error:(1021)") != std::string::npos;
    EXPECT_TRUE(seen) << r.out;
#else
    EXPECT_NE(r.out.find("bell.wav: (1033):Error"), std::string::npos) << r.out;
#endif
    EXPECT_FALSE(platform::fileExists(out / "mmf" / "bell.mmf"));
}

TEST_F(SmafRoutes, QcpConverterOutputIsCopied) {
    enable(0, create);
    const platform::Path chimewright = ownChimewright();
    standIn("PVConv.exe", "copy _cwmtmp.wav _cwmtmp.qcp\n");
    const e2e::ProgramRun r = runAt(chimewright, {});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    const std::string qcp = fileBytes(out / "qcp" / "bell.qcp");
    EXPECT_EQ(qcp, fileBytes(work / "_cwmtmp.wav"));
    EXPECT_GT(qcp.size(), 44u) << "the 8 kHz file is made for the converter";
}

TEST_F(SmafRoutes, QcpConverterMissingFailingOrHanging) {
    enable(0, create);
    const platform::Path chimewright = ownChimewright();
    struct Case {
        const char* name;
        const char* script; // nothing: no converter
    };
    const Case cases[] = {
        {"missing", nullptr},
        {"failing", "exit 1\n"},
        {"hanging", "sleep 600000\ncopy _cwmtmp.wav _cwmtmp.qcp\n"},
    };
    for (const Case& c : cases) {
        if (c.script) standIn("PVConv.exe", c.script);
        const e2e::ProgramRun r = runAt(chimewright, {});
        EXPECT_EQ(r.status, 0) << c.name << r.out << r.err;
        EXPECT_NE(r.out.find("bell.wav: ◎"), std::string::npos) << c.name << r.out;
        EXPECT_FALSE(platform::fileExists(out / "qcp" / "bell.qcp")) << c.name;
    }
}
