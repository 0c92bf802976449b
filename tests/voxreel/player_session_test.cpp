// The window's state between plays: the command-line file and its quotes, the current file,
// what a play keeps or replaces, and the title line.
#include "voxreel/player/player_session.hpp"

#include "tests/support/scratch.hpp"
#include "tests/voxreel/ringtone_builder.hpp"

#include <gtest/gtest.h>

using namespace vx_test;
using testing_support::ScratchFolder;
using testing_support::putFile;

namespace {

Bytes voicedMfi(const std::string& title, const std::string& copyright) {
    const Bytes track = chunk("trac", bytes({0, 0xFF, 0xC3, 0x7D}) +
                                          exclusive(0, bytes({0x21, 0x83, 0, 0x45, 0}) + repeated(0x35, 400)) +
                                          bytes({0, 0xFF, 0xDF, 0}));
    return mfiFile(mfiInfo("0300", title, copyright), {track});
}

void putBytes(const platform::Path& path, const Bytes& image) {
    putFile(path, std::string(image.begin(), image.end()));
}

} // namespace

TEST(PlayerSession, CommandLineFile) {
    struct Case {
        std::string commandLine;
        bool named;
        std::string file;
    };
    const Case cases[] = {
        {"", false, ""},
        {"bell.mld", true, "bell.mld"},
        {"\"C:\\my tunes\\bell.mld\"", true, "C:\\my tunes\\bell.mld"},
        // The last character goes whatever it is.
        {"\"bell.mld\" ", true, "bell.mld\""},
        {"\"bell.mld", true, "bell.ml"},
        {"\"", true, ""},
        {std::string(2000, 'a'), true, std::string(1023, 'a')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        voxreel::PlayerSession session;
        session.setCommandLine(c.commandLine);
        EXPECT_EQ(session.unquoteCommandFile(), c.named);
        EXPECT_EQ(session.commandFile(), c.file);
        EXPECT_EQ(session.currentFile(), c.file);
    }
}

TEST(PlayerSession, CurrentFileIsTheLastDroppedOne) {
    voxreel::PlayerSession session;
    session.setCommandLine("start.mld");
    session.addDroppedFile("a.mld");
    session.addDroppedFile("b.mld");
    EXPECT_EQ(session.currentFile(), "b.mld");
    EXPECT_EQ(session.droppedFiles(), (std::vector<std::string>{"a.mld", "b.mld"}));
    session.forgetDroppedFiles();
    EXPECT_EQ(session.currentFile(), "start.mld");
}

TEST(PlayerSession, PlayKeepsTheTextsOfFilesItCannotPlay) {
    ScratchFolder folder;
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer(output, folder.path());
    voxreel::PlayerSession session;

    putBytes(folder / "bell.mld", voicedMfi("Bell", "Studio"));
    session.play(folder / "bell.mld", renderer);
    EXPECT_EQ(session.titleLine(), "Bell / Studio");
    EXPECT_EQ(session.texts().label, "MFi(300) / F504,F505 / 8000[Hz]");
    const platform::Path firstJob = renderer.fileName();

    // 1 MiB is already too large; a missing file cannot be opened. Neither starts a job.
    Bytes large = voicedMfi("Large", "");
    large.resize(1048576);
    putBytes(folder / "large.mld", large);
    session.play(folder / "large.mld", renderer);
    session.play(folder / "missing.mld", renderer);
    EXPECT_EQ(session.titleLine(), "Bell / Studio");
    EXPECT_EQ(session.texts().label, "MFi(300) / F504,F505 / 8000[Hz]");
    EXPECT_EQ(renderer.fileName(), firstJob);

    // A file that is no ringtone is played as nothing: the texts go.
    putFile(folder / "notes.txt", "plain text");
    session.play(folder / "notes.txt", renderer);
    EXPECT_EQ(session.titleLine(), "");
    EXPECT_EQ(session.texts().label, "");

    putBytes(folder / "untitled.mld", voicedMfi("", "Studio"));
    session.play(folder / "untitled.mld", renderer);
    EXPECT_EQ(session.titleLine(), "") << "no title line without a title";
    putBytes(folder / "plain.mld", voicedMfi("Plain", ""));
    session.play(folder / "plain.mld", renderer);
    EXPECT_EQ(session.titleLine(), "Plain");
}
