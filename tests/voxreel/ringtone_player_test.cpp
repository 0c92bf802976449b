#include "voxreel/player/ringtone_file.hpp"
#include "voxreel/player/ringtone_player.hpp"

#include "tests/support/scratch.hpp"
#include "tests/voxreel/ringtone_builder.hpp"
#include "shared/byte_order.hpp"

#include <gtest/gtest.h>

using namespace vx_test;
using testing_support::ScratchFolder;
using testing_support::putFile;

namespace {

class Player : public ::testing::Test {
protected:
    ScratchFolder folder;
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer{output, folder.path()};
    voxreel::DisplayTexts texts;

    bool play(const Bytes& image) { return voxreel::playRingtoneBuffer(image, texts, renderer); }
};

const Bytes endOfTrack = bytes({0, 0xFF, 0xDF, 0});

Bytes inlineVoiceTrack() {
    return chunk("trac", bytes({0, 0xFF, 0xC3, 0x7D}) +
                             exclusive(0, bytes({0x21, 0x83, 0, 0x45, 0}) + repeated(0x35, 800)) +
                             endOfTrack);
}

} // namespace

TEST_F(Player, MfiTextsAndLabel) {
    ASSERT_TRUE(play(mfiFile(mfiInfo("0300", "Bell   ", "Studio "), {inlineVoiceTrack()})));
    EXPECT_EQ(texts.title, "Bell");
    EXPECT_EQ(texts.copyright, "Studio");
    EXPECT_EQ(texts.label, "MFi(300) / F504,F505 / 8000[Hz]");
    EXPECT_EQ(output.lastFile(), renderer.fileName());
    EXPECT_GT(testing_support::fileBytes(renderer.fileName()).size(), 44u);
}

TEST_F(Player, BlankTitleKeepsOneBlank) {
    ASSERT_TRUE(play(mfiFile(mfiInfo("0300", "   "), {inlineVoiceTrack()})));
    EXPECT_EQ(texts.title, " ");
}

TEST_F(Player, MfiWithoutVoiceOrTooLongIsStillMfi) {
    ASSERT_TRUE(play(mfiFile(mfiInfo("0300", "Quiet"), {chunk("trac", endOfTrack)})));
    EXPECT_EQ(texts.label, "MMF / 0[Hz]");
    EXPECT_EQ(texts.title, "Quiet");

    Bytes big = mfiFile(mfiInfo("0300", "Big"), {inlineVoiceTrack()});
    suite::writeBe32(&big[4], 1048576);
    ASSERT_TRUE(play(big));
    EXPECT_EQ(texts.label, "MMF / 0[Hz]");
    EXPECT_EQ(texts.title, "");
}

TEST_F(Player, SmafPlaysItsWave) {
    const Bytes file = smafFile({chunk("CNTI", bytes({0, 1, 0, 0, 0}) + text("ST:Tune  ,CR:Me,")),
                                 chunk("ATR", bytes({0, 0, 0x10, 0, 3, 3}) +
                                                  chunk("Awa\1", repeated(0x35, 500)))});
    ASSERT_TRUE(play(file));
    EXPECT_EQ(texts.title, "Tune");
    EXPECT_EQ(texts.copyright, "Me");
    EXPECT_EQ(texts.label, "MMF / 4000[Hz]");
    ASSERT_EQ(renderer.renderedVoices().size(), 1u);
    const auto& voice = renderer.renderedVoices()[0];
    EXPECT_EQ(voice.vendorCode, 0x11);
    EXPECT_EQ(voice.variantCode, 300);
    EXPECT_EQ(voice.samples, 1000);
    EXPECT_EQ(voice.volume, 63);
    EXPECT_EQ(voice.pan, 32);
}

TEST_F(Player, SmafWithoutStreamAndOtherFilesAreNotPlayed) {
    const Bytes noStream = smafFile({chunk("CNTI", bytes({0, 1, 0, 0, 0}) + text("ST:Kept,")),
                                     chunk("MTR", bytes({0, 0, 3, 3, 0, 0}))});
    EXPECT_FALSE(play(noStream));
    EXPECT_EQ(texts.title, "Kept");
    EXPECT_EQ(texts.label, "");

    texts.label = "left over";
    EXPECT_FALSE(play(text("RIFF....WAVE")));
    EXPECT_EQ(texts.title, "");
    EXPECT_EQ(texts.label, "");
    EXPECT_FALSE(play(text("mel")));
}

TEST(RingtoneFile, OneMebibyteIsNotPlayedOneByteLessIs) {
    ScratchFolder folder;
    std::vector<unsigned char> bytes;
    putFile(folder / "big.mld", std::string(1048576, 'x'));
    EXPECT_EQ(voxreel::loadRingtoneFile(folder / "big.mld", bytes), voxreel::RingtoneLoad::tooLarge);
    putFile(folder / "fits.mld", std::string(1048575, 'x'));
    EXPECT_EQ(voxreel::loadRingtoneFile(folder / "fits.mld", bytes), voxreel::RingtoneLoad::loaded);
    EXPECT_EQ(bytes.size(), 1048575u);
    EXPECT_EQ(voxreel::loadRingtoneFile(folder / "missing.mld", bytes),
              voxreel::RingtoneLoad::cannotOpen);
}
