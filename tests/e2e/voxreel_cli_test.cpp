// voxreel's console program end to end: display lines, the kept WAV file, the structure
// report, and the files it refuses.
#include "platform/text.hpp"
#include "tests/e2e/program_runner.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// On Windows the plain name belongs to the window program.
#ifdef _WIN32
constexpr const char* consoleProgram = "voxreel-cli";
#else
constexpr const char* consoleProgram = "voxreel";
#endif

std::string be(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

std::string info(const std::string& id, const std::string& data) { return id + be(static_cast<std::uint32_t>(data.size()), 2) + data; }

// An MFi file of version "0300" with one inline step-ADPCM voice of vendor 0x21 at 8000 Hz.
std::string smallMfi() {
    const std::string voice(4000, '\x35');
    const std::string record = std::string("\x21\x83\x00\x45\x00", 5) + voice;
    const std::string events = std::string("\x00\xFF\xC3\x7D", 4) + std::string("\x00\xFF\xFF", 3) +
                               be(static_cast<std::uint32_t>(record.size()), 2) + record +
                               std::string("\x00\xFF\xDF\x00", 4);
    const std::string infos = info("sorc", std::string(1, '\1')) + info("titl", "Chime  ") +
                              info("vers", "0300") + info("copy", "Studio");
    std::string body = std::string("\x02\x01\x01", 3) + infos + "trac" +
                       be(static_cast<std::uint32_t>(events.size()), 4) + events;
    const std::string head = be(static_cast<std::uint32_t>(3 + infos.size()), 2);
    std::string file = "melo" + be(static_cast<std::uint32_t>(2 + body.size()), 4) + head + body;
    return file;
}

// Console output with Windows line ends read as plain ones.
std::string lines(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out.push_back(c);
    return out;
}

class VoxreelCli : public ::testing::Test {
protected:
    ScratchFolder scratch;
    platform::Path startFolder = platform::currentFolder();

    void SetUp() override { ASSERT_TRUE(platform::setCurrentFolder(scratch.path())); }
    void TearDown() override { platform::setCurrentFolder(startFolder); }

    std::string path(const char* name) { return platform::pathToUtf8(scratch / name); }
    e2e::ProgramRun run(const std::vector<std::string>& arguments) {
        return e2e::runProgram(consoleProgram, arguments, scratch.path());
    }
};

} // namespace

TEST_F(VoxreelCli, ShowsTheDisplayLinesAndKeepsTheRendering) {
    putFile(scratch / "chime.mld", smallMfi());
    const e2e::ProgramRun r = run({"--no-play", "--wav", path("kept.wav"), path("chime.mld")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out), path("chime.mld") + "\nChime / Studio\nMFi(300) / F504,F505 / 8000[Hz]\n");

    const std::string wav = fileBytes(scratch / "kept.wav");
    ASSERT_EQ(wav.size(), 44u + 4u * 8000u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(wav.substr(22, 2), std::string("\x02\x00", 2)) << "two channels";
    EXPECT_FALSE(platform::fileExists(scratch / "_wmtmp00.wav")) << "the temporary file is removed";
}

TEST_F(VoxreelCli, InfoReportsChunksEventsAndBlocks) {
    putFile(scratch / "chime.mld", smallMfi());
    const e2e::ProgramRun r = run({"--no-play", "--info", path("chime.mld")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"trac\" #0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("tempo 10 ms/tick"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("voice vendor 0x21 variant 300, 4000 bytes at 8000 Hz"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("block 0.0: 4000 bytes"), std::string::npos) << r.out;
}

TEST_F(VoxreelCli, RefusesWhatItCannotPlay) {
    putFile(scratch / "text.mld", "just some text, no ringtone");
    putFile(scratch / "huge.mld", "melo" + std::string(1048572, '\0'));
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* message;
    };
    const Case cases[] = {
        {{"--no-play", path("text.mld")}, 1, "no playable"},
        {{"--no-play", path("huge.mld")}, 1, "1 MiB"},
        {{"--no-play", path("missing.mld")}, 1, "cannot open"},
        {{"--no-play"}, 2, "no file given"},
        {{"--loud", path("text.mld")}, 2, "unknown option"},
    };
    for (const Case& c : cases) {
        const e2e::ProgramRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}
