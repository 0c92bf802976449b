// Rendering parsed MFi files: blocks, tempo, volumes and pans, and the label's values.
#include "voxreel/model/mfi_file.hpp"
#include "voxreel/render/voice_renderer.hpp"

#include "tests/support/scratch.hpp"
#include "tests/voxreel/ringtone_builder.hpp"

#include <gtest/gtest.h>

using namespace vx_test;
using testing_support::ScratchFolder;

namespace {

class Schedule : public ::testing::Test {
protected:
    ScratchFolder folder;
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer{output, folder.path()};

    voxreel::MfiRenderResult render(const Bytes& image) {
        voxreel::MfiFile file = voxreel::MfiFile::parse(image);
        return file.render(renderer);
    }
    const std::vector<voxreel::RenderedVoice>& voices() const { return renderer.renderedVoices(); }
};

const Bytes voice = repeated(0x35, 400);

// A 0x21 block record with its channel byte, rate code and continuation byte.
Bytes block21(int channelByte, int rate, int more, const Bytes& data) {
    return exclusive(0, bytes({0x21, 0x86, channelByte, rate, more}) + data);
}
Bytes play21(int delta, int channelByte, int rate) {
    return exclusive(delta, bytes({0x21, 0x86, channelByte, rate + 0x80, 0}));
}
const Bytes endOfTrack = bytes({0, 0xFF, 0xDF, 0});

} // namespace

TEST_F(Schedule, AdatChunkNamesTheLabelOverTrackEvents) {
    const Bytes track = bytes({0, 0xFF, 0xCB, 0x64}) + exclusive(0, bytes({0x41, 0x83, 0, 0x45, 0}) + voice) +
                        bytes({0, 0x7F, 0x00, 0x00, 0x3F}) + endOfTrack;
    const auto result = render(mfiFile(mfiInfo("0500"), {chunk("adat", adatBody(0x81, 8, 4, 1, voice)),
                                                         chunk("trac", track)}));
    EXPECT_EQ(result.version, 500);
    EXPECT_EQ(result.vendorCode, 400);
    EXPECT_EQ(result.variantCode, 0x81);
    EXPECT_EQ(result.rate, 8000);
}

TEST_F(Schedule, LastAudioEventOfTheFirstTrackNamesTheLabel) {
    const Bytes track = exclusive(0, bytes({0x21, 0x83, 0, 0x45, 0}) + voice) +
                        exclusive(0, bytes({0x41, 0x84, 1, 0x4D, 0, 0, 0, 1, 0x90}) + voice) + endOfTrack;
    const Bytes second = exclusive(0, bytes({0x71, 0x83, 2, 0x44, 0}) + voice) + endOfTrack;
    const auto result = render(mfiFile(mfiInfo("0300"), {chunk("trac", track), chunk("trac", second)}));
    EXPECT_EQ(result.vendorCode, 0x41);
    EXPECT_EQ(result.variantCode, 301);
    EXPECT_EQ(result.rate, 16000);
    EXPECT_EQ(voices().size(), 3u) << "every play event of every track renders";
}

TEST_F(Schedule, NoVoiceAtAll) {
    const auto result = render(mfiFile(mfiInfo("0300"), {chunk("trac", endOfTrack)}));
    EXPECT_EQ(result.vendorCode, 0);
    EXPECT_EQ(result.rate, 0);
    EXPECT_TRUE(voices().empty());
    EXPECT_EQ(output.lastFile(), renderer.fileName()) << "played all the same";
}

TEST_F(Schedule, WithoutTempoEverythingStartsAtZero) {
    const Bytes track = block21(0, 5, 0, voice) + play21(200, 0, 5) + play21(100, 0, 5) + endOfTrack;
    render(mfiFile(mfiInfo("0300"), {chunk("trac", track)}));
    ASSERT_EQ(voices().size(), 2u);
    for (const auto& v : voices()) EXPECT_EQ(v.startMs, 0.0);
}

TEST_F(Schedule, PlayTimesFollowTheTempoMap) {
    // Tempo 5 ms at tick 0, 50 ms at tick 480; plays at ticks 240 and 500.
    const Bytes track = bytes({0, 0xFF, 0xCB, 0x64}) + block21(0, 5, 0, voice) +
                        play21(240, 0, 5) + bytes({240, 0xFF, 0xC2, 0x32}) + play21(20, 0, 5) +
                        endOfTrack;
    render(mfiFile(mfiInfo("0300"), {chunk("trac", track)}));
    ASSERT_EQ(voices().size(), 2u);
    EXPECT_DOUBLE_EQ(voices()[0].startMs, 240 * 5.0);
    EXPECT_DOUBLE_EQ(voices()[1].startMs, 480 * 5.0 + 20 * 50.0);
    EXPECT_EQ(voices()[0].startFrame, 9600);
}

TEST_F(Schedule, ContinuedBlocksJoinAndPlayOnce) {
    const Bytes track = block21(0, 5, 1, voice) + block21(0, 5, 1, voice) + block21(0, 5, 0, voice) +
                        block21(0, 5, 0, repeated(0x11, 10)) + play21(0, 0, 5) + endOfTrack;
    voxreel::MfiFile file = voxreel::MfiFile::parse(mfiFile(mfiInfo("0300"), {chunk("trac", track)}));
    file.render(renderer);
    ASSERT_EQ(renderer.blockCount(0), 2);
    voxreel::VoiceBlock joined;
    ASSERT_TRUE(renderer.getBlock(0, 0, joined));
    EXPECT_EQ(joined.length, 1200);
    EXPECT_EQ(joined.data.size(), 1200u);
    EXPECT_FALSE(joined.continues);
    EXPECT_FALSE(file.tracks[0].events[0].merged);
    EXPECT_TRUE(file.tracks[0].events[1].merged);
    EXPECT_TRUE(file.tracks[0].events[2].merged);
    // The play at tick 0 takes the first block whose successor starts later: the last one.
    ASSERT_EQ(voices().size(), 1u);
    EXPECT_EQ(voices()[0].dataBytes, 10);
}

TEST_F(Schedule, PacketModeTwoEndsTheOpenBlock) {
    // Four-track blocks play themselves (packet mode 1); a packet-mode-2 block starts anew.
    const Bytes track = exclusive(0, bytes({0x41, 0x84, 0, 0x45, 1, 0, 0, 0, 0}) + voice) +
                        exclusive(0, bytes({0x41, 0x84, 0, 0x85, 1, 0, 0, 0, 0}) + voice) + endOfTrack;
    render(mfiFile(mfiInfo("0300"), {chunk("trac", track)}));
    EXPECT_EQ(renderer.blockCount(0), 2);
    voxreel::VoiceBlock first;
    renderer.getBlock(0, 0, first);
    EXPECT_FALSE(first.continues);
    EXPECT_EQ(voices().size(), 2u);
}

TEST_F(Schedule, VolumeAndPanPerChannel) {
    const Bytes track = bytes({0, 0xFF, 0xB0, 50}) + exclusive(0, bytes({0x21, 0x81, 40})) +
                        exclusive(0, bytes({0x21, 0x81, 0x40 | 20})) +
                        exclusive(0, bytes({0x21, 0x82, 0x00})) + exclusive(0, bytes({0x21, 0x82, 0x7F})) +
                        block21(0x00, 5, 0, voice) + block21(0x41, 5, 0, voice) + play21(0, 0x00, 5) +
                        play21(0, 0x41, 5) + endOfTrack;
    render(mfiFile(mfiInfo("0300"), {chunk("trac", track)}));
    ASSERT_EQ(voices().size(), 2u);
    EXPECT_EQ(voices()[0].volume, 40);
    EXPECT_EQ(voices()[0].pan, 0);
    EXPECT_EQ(voices()[1].volume, 20);
    EXPECT_EQ(voices()[1].pan, 63);
    EXPECT_EQ(renderer.masterVolume(), 50);
}

TEST_F(Schedule, AdatVoicesTakeTheirCodeWidthFromTheChunk) {
    // 2-bit G.726 at 8 kHz: four samples per byte, though the play event says nothing of it.
    const Bytes track = bytes({0, 0x7F, 0x00, 0x00, 0x3F}) + endOfTrack;
    render(mfiFile(mfiInfo("0400"), {chunk("adat", adatBody(0x81, 8, 2, 1, voice)), chunk("trac", track)}));
    ASSERT_EQ(voices().size(), 1u);
    EXPECT_EQ(voices()[0].samples, 1600);
    EXPECT_EQ(voices()[0].sampleRate, 8000.0);

    // Stereo IMA: two halves of whole blocks.
    render(mfiFile(mfiInfo("0400"), {chunk("adat", adatBody(0x83, 16, 4, 2, repeated(0x21, 1024))),
                                     chunk("trac", track)}));
    ASSERT_EQ(voices().size(), 2u);
    EXPECT_EQ(voices()[0].samples, 1010);
    EXPECT_EQ(voices()[0].pan, 0);
    EXPECT_EQ(voices()[1].pan, 64);
}
