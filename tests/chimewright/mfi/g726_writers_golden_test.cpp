// The G.726 writers (four-track, single-track, inline vendor 0x61, "adat" "0400" and "0500")
// against bytes written out by hand from the MFi layout.
#include "chimewright/mfi/g726_adat_voice.hpp"
#include "chimewright/mfi/g726_four_track_writer.hpp"
#include "chimewright/mfi/g726_layout.hpp"
#include "chimewright/mfi/g726_single_track_writer.hpp"
#include "chimewright/mfi/inline_voice_writer.hpp"
#include "tests/chimewright/mfi/family_voice_reader.hpp"
#include "tests/chimewright/mfi/golden_bytes.hpp"

#include <gtest/gtest.h>

using mfi_test::Golden;
using mfi_test::patternVoice;

namespace {

cw::MfiWriterInputs inputs(std::uint32_t extraMs = 0, bool loop = false, double volume = 1.0) {
    cw::MfiWriterInputs in;
    in.extraSilenceMs = extraMs;
    in.loop = loop;
    in.volume = volume;
    return in;
}

Golden plainHeader(const char* version, std::size_t fileLength, int type, int tracks) {
    Golden g;
    g.text("melo").be32(static_cast<std::uint32_t>(fileLength - 8)).be16(28).raw({type, 0x01, tracks});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text(version);
    g.text("note").be16(2).raw({0x00, 0x01});
    return g;
}

cw::G726Voice monoVoice(std::vector<unsigned char> bytes, int rate, bool twoBit = false) {
    cw::G726Voice v;
    v.streams.left = std::move(bytes);
    v.rate = rate;
    v.twoBit = twoBit;
    return v;
}

cw::G726Voice stereoVoice(std::vector<unsigned char> left, std::vector<unsigned char> right, int rate) {
    cw::G726Voice v = monoVoice(std::move(left), rate);
    v.streams.right = std::move(right);
    v.streams.stereo = true;
    return v;
}

// Tracks 2 and 4 (16 bytes) and track 3 (36 bytes) of a four-track G.726 file.
void companions(Golden& g, std::initializer_list<int> soundWait, std::initializer_list<int> extraOrRest) {
    for (int track = 2; track <= 4; ++track) {
        g.text("trac").be32(track == 3 ? 36 : 16);
        g.raw({0x00, 0xFF, 0xDE, 0x00});
        if (track == 3)
            g.raw({0x00, 0xFF, 0xE1, 0x42, 0x00, 0xFF, 0xE0, 0x40, 0x00, 0xFF, 0xE2, 0x74,
                   0x00, 0xFF, 0xE3, 0x60, 0x00, 0xFF, 0xE2, 0x74});
        g.raw(soundWait).raw(extraOrRest).raw({0x00, 0xFF, 0xDF, 0x00});
    }
}

} // namespace

TEST(G726Layout, TicksOfTheSound) {
    struct Case { std::size_t bytes; int rate; bool twoBit; std::uint32_t ticks; };
    const Case cases[] = {
        {4000, 8000, false, 200},   // 1 s
        {4001, 8000, false, 201},   // 200.05 + 0.999
        {4000, 4000, true, 400},    // 2-bit at 8000 Hz: four samples a byte, 2 s
        {8000, 16000, false, 200},
        {16000, 32000, false, 210}, // 1 s + 0.05 s
        {16000, 32000, true, 410},  // 2 s + 0.05 s
        {0, 8000, false, 0},
        {0, 32000, false, 10},
        {1, 16000, false, 1},       // 0.025 + 0.999
    };
    for (const Case& c : cases)
        EXPECT_EQ(cw::g726VoiceTicks(c.bytes, c.rate, c.twoBit), c.ticks)
            << c.bytes << " bytes at " << c.rate << (c.twoBit ? " 2-bit" : "");
}

TEST(G726Layout, RateCodesAndChannelTable) {
    EXPECT_EQ(cw::g726RateCode(4000, true), 0x44);
    EXPECT_EQ(cw::g726RateCode(8000, false), 0x45);
    EXPECT_EQ(cw::g726RateCode(16000, false), 0x4D);
    EXPECT_EQ(cw::g726RateCode(32000, true), 0x54);
    EXPECT_EQ(cw::g726RateCode(32000, false), 0x55);
    EXPECT_EQ(cw::g726ChannelTable(8000),
              (std::array<unsigned char, 12>{0x81, 0x01, 1, 0x89, 0x01, 1, 0x83, 0x01, 2, 0x8B, 0x01, 2}));
    EXPECT_EQ(cw::g726ChannelTable(16000),
              (std::array<unsigned char, 12>{0x81, 0x01, 3, 0x89, 0x01, 3, 0x83, 0x01, 4, 0x8B, 0x01, 4}));
}

TEST(G726FourTrackGolden, OneSecondAt8000HzWaits200Ticks) {
    const auto voice = patternVoice(4000);
    const std::size_t track1 = 19 + 4 + 4 + 4 + 8 + 4 + 14 + 4000 + 4 + 4 + 4;
    Golden g = plainHeader("0300", 38 + 8 + track1 + 3 * 8 + 16 + 36 + 16, 0x02, 4);
    g.text("trac").be32(track1);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0E, 0x41, 0x8F,
           0x81, 0x01, 0x01, 0x89, 0x01, 0x01, 0x83, 0x01, 0x02, 0x8B, 0x01, 0x02});
    g.raw({0x00, 0xFF, 0xD0, 0x00});
    g.raw({0x00, 0xFF, 0xCB, 0x64});
    g.raw({0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x41, 0x81, 63});
    g.raw({0x00, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x0F, 0xA9, 0x41, 0x84, 0x00, 0x45, 0x00, 0x00, 0x00, 0x0F, 0xA0});
    g.raw(voice);
    g.raw({0xC8, 0xFF, 0xDC, 0x00});
    g.raw({0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    companions(g, {0xC8, 0xFF, 0xDC, 0x00}, {0x00, 0xFF, 0xDE, 0x00});

    EXPECT_EQ(cw::writeG726FourTrackFile({0x41, "0300"}, inputs(), monoVoice(voice, 8000)), g.bytes());
}

TEST(G726FourTrackGolden, StereoWithLoopAndExtraSilence) {
    const std::vector<unsigned char> left{0x01, 0x02, 0x03};
    const std::vector<unsigned char> right{0x04, 0x05, 0x06};
    // Volume 0.5: 64 and 32 (0x60 for the second channel). D = trunc(0.075 + 0.999) = 1;
    // extra silence 120 ms: 25 ticks.
    const std::size_t track1 = 19 + 4 + 4 + 4 + 4 * 8 + 4 + 2 * 17 + 4 + 4 + 4 + 2 * 14 + 4 + 4 + 4;
    Golden g = plainHeader("0301", 38 + 8 + track1 + 3 * 8 + 16 + 36 + 16, 0x02, 4);
    g.text("trac").be32(track1);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0E, 0x31, 0x8F,
           0x81, 0x01, 0x03, 0x89, 0x01, 0x03, 0x83, 0x01, 0x04, 0x8B, 0x01, 0x04});
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 64});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x31, 0x81, 0x20});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x31, 0x81, 0x60});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x31, 0x80, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x31, 0x80, 0x7F});
    g.raw({0x00, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0C, 0x31, 0x84, 0x00, 0x4D, 0x00, 0x00, 0x00, 0x00, 0x03}).raw(left);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0C, 0x31, 0x84, 0x41, 0x4D, 0x00, 0x00, 0x00, 0x00, 0x03}).raw(right);
    g.raw({0x00, 0xFF, 0xDD, 0x00});
    g.raw({0x01, 0xFF, 0xDC, 0x00});
    g.raw({0x19, 0xFF, 0xDC, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x09, 0x31, 0x84, 0x00, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x03});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x09, 0x31, 0x84, 0x41, 0x8D, 0x00, 0x00, 0x00, 0x00, 0x03});
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    companions(g, {0x01, 0xFF, 0xDC, 0x00}, {0x19, 0xFF, 0xDC, 0x00});

    EXPECT_EQ(cw::writeG726FourTrackFile({0x31, "0301"}, inputs(120, true, 0.5),
                                         stereoVoice(left, right, 16000)),
              g.bytes());
}

TEST(G726FourTrack, LongVoicesAreSplitIntoBlocksWithTheTotalInTheFirst) {
    const auto voice = patternVoice(70000);
    const auto file = cw::writeG726FourTrackFile({0x71, "0300"}, inputs(), monoVoice(voice, 32000, true));
    std::string error;
    const auto read = mfi_test::readMfi(std::string(file.begin(), file.end()), error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->tracks.size(), 4u);
    std::vector<mfi_test::Bytes> heads;
    for (const auto& r : mfi_test::records(read->tracks[0]))
        if (r.size() > 9 && r[1] == 0x84) heads.emplace_back(r.begin(), r.begin() + 9);
    EXPECT_EQ(heads, (std::vector<mfi_test::Bytes>{
                         {0x71, 0x84, 0x00, 0x54, 0x01, 0x00, 0x01, 0x11, 0x70},
                         {0x71, 0x84, 0x00, 0x54, 0x00, 0x00, 0x00, 0x00, 0x00}}));
    const auto read726 = mfi_test::readG726Voice(*read, error);
    ASSERT_TRUE(read726) << error;
    EXPECT_EQ(read726->first, voice);
    // 70000 bytes of 2-bit words at 32000 Hz: 8.75 s + 0.05 s = 1760 ticks, in every track.
    for (const auto& track : read->tracks) EXPECT_EQ(mfi_test::trackTicks(track), 1760u);
}

TEST(G726SingleTrackGolden, Mono2BitWithLoop) {
    const std::vector<unsigned char> voice{0x10, 0x20, 0x30, 0x40, 0x50};
    const std::size_t track = 19 + 4 + 4 + 4 + 8 + 8 + 4 + 10 + 5 + 4 + 4 + 10 + 4 + 4 + 4;
    Golden g = plainHeader("0300", 38 + 8 + track, 0x02, 1);
    g.text("trac").be32(track);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0E, 0x61, 0x8F,
           0x81, 0x01, 0x01, 0x89, 0x01, 0x01, 0x83, 0x01, 0x02, 0x8B, 0x01, 0x02});
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x82, 0x20});
    g.raw({0x00, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0A, 0x61, 0x83, 0x00, 0x44, 0x00}).raw(voice);
    g.raw({0x00, 0xFF, 0xDD, 0x00});
    g.raw({0x01, 0xFF, 0xDC, 0x00}); // 5 × 2 / 4000 / 0.005 = 0.5, + 0.999
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x05, 0x61, 0x83, 0x00, 0x84, 0x00});
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    EXPECT_EQ(cw::writeG726SingleTrackFile(inputs(0, true), monoVoice(voice, 4000, true)), g.bytes());
}

TEST(G726SingleTrackGolden, StereoWithExtraSilence) {
    const std::vector<unsigned char> left{0x11, 0x22};
    const std::vector<unsigned char> right{0x33, 0x44};
    const std::size_t track = 19 + 4 + 4 + 4 + 4 * 8 + 4 + 2 * 12 + 4 + 4 + 4 + 4;
    Golden g = plainHeader("0300", 38 + 8 + track, 0x02, 1);
    g.text("trac").be32(track);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0E, 0x61, 0x8F,
           0x81, 0x01, 0x01, 0x89, 0x01, 0x01, 0x83, 0x01, 0x02, 0x8B, 0x01, 0x02});
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x81, 63 | 0x40});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x82, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x82, 0x7F});
    g.raw({0x00, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x07, 0x61, 0x83, 0x00, 0x45, 0x00}).raw(left);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x07, 0x61, 0x83, 0x41, 0x45, 0x00}).raw(right);
    g.raw({0x01, 0xFF, 0xDC, 0x00}); // 0.1 + 0.999
    g.raw({0x02, 0xFF, 0xDC, 0x00}); // 7 / 5 + 1
    g.raw({0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    EXPECT_EQ(cw::writeG726SingleTrackFile(inputs(7), stereoVoice(left, right, 8000)), g.bytes());
}

TEST(G726Inline, TicksOf8333Microseconds) {
    struct Case { std::size_t bytes; int rate; std::uint32_t extra; std::uint32_t ticks; };
    const Case cases[] = {
        {1000, 8000, 0, 31},   // 1000 × 0.03 + 1
        {1000, 4000, 0, 61},   // 1000 × 0.06 + 1
        {0, 8000, 100, 13},    // 100 / 8.333333 = 12.0000005, + 1
        {0, 8000, 99, 12},     // 11.88 + 1
        {130000, 4000, 0, 7201}, // 7801, but 7201 is the most
    };
    for (const Case& c : cases)
        EXPECT_EQ(cw::g726InlineTicks(c.bytes, c.rate, c.extra), c.ticks) << c.bytes << ", " << c.extra;
}

TEST(G726InlineGolden, Vendor61Version0200) {
    const auto voice = patternVoice(6);
    const cw::InlineVoiceLayout layout{0x61, "0200", {0xC3, 0x96}, true};
    const std::size_t track = 4 + 4 + 4 + 8 + 10 + 6 + 4 + 4 + 4;
    Golden g = plainHeader("0200", 38 + 8 + track, 0x02, 1);
    g.text("trac").be32(track);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xC3, 0x96, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x61, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0B, 0x61, 0x83, 0x00, 0x44, 0x00}).raw(voice);
    g.raw({0x01, 0xFF, 0xDE, 0x00}); // 6 × 0.06 + 1
    g.raw({0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    EXPECT_EQ(cw::writeInlineVoiceFile(layout, inputs(), voice, 4000, cw::g726InlineTicks(6, 4000, 0)),
              g.bytes());
}

TEST(G726AdatGolden, Version0400With2BitWordsAt8000Hz) {
    const std::vector<unsigned char> voice{0xAB, 0xCD, 0xEF};
    // Information: 28 + "exst" 8 + the 11-byte "ainf" 17 = 53.
    Golden g;
    g.text("melo").be32(10 + 53 + 8 + 16 + 8 + 45 - 8).be16(53).raw({0x01, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0400");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("exst").be16(2).raw({0x00, 0x01});
    g.text("ainf").be16(11).raw({0x01, 0x01, 0x81, 0x00, 0x06, 16, 8, 16, 16, 8, 16});
    g.text("adat").be32(16).be16(11).raw({0x81, 0x00}).text("adpm").be16(3).raw({8, 2, 1});
    g.raw(voice);
    g.text("trac").be32(45);
    g.raw({0x00, 0xFF, 0xDD, 0x00, 0x00, 0xFF, 0xD0, 0x00}); // loop start first
    g.raw({0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0x7F, 0x80, 0x3F, 0x00, 0x7F, 0x81, 0x20, 0x00, 0x7F, 0x00, 0x00, 0x3F});
    g.raw({0x01, 0xFF, 0xDC, 0x00}); // 3 × 2 / 4000 / 0.005 = 0.3, + 0.999
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    EXPECT_EQ(cw::writeG726AdatFile("0400", inputs(0, true), monoVoice(voice, 4000, true)), g.bytes());
}

TEST(G726AdatGolden, AudioInfoAbove8000Hz) {
    EXPECT_EQ(cw::g726AudioInfo(16000),
              (std::array<unsigned char, 11>{0x01, 0x01, 0x81, 0x00, 0x06, 32, 16, 32, 32, 16, 32}));
    EXPECT_EQ(cw::g726AudioInfo(32000), cw::g726AudioInfo(16000));
    EXPECT_EQ(cw::g726AudioInfo(8000),
              (std::array<unsigned char, 11>{0x01, 0x01, 0x81, 0x00, 0x06, 16, 8, 16, 16, 8, 16}));
}

TEST(G726AdatGolden, Version0500StereoLeftThenRight) {
    const std::vector<unsigned char> left{0x01, 0x02};
    const std::vector<unsigned char> right{0x03, 0x04};
    Golden g;
    g.text("melo").be32(10 + 44 + 8 + 17 + 8 + 41 - 8).be16(44).raw({0x01, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0500");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("exst").be16(2).raw({0x00, 0x01});
    g.text("ainf").be16(2).raw({0x01, 0x00});
    g.text("adat").be32(17).be16(11).raw({0x81, 0x00}).text("adpm").be16(3).raw({16, 4, 2});
    g.raw({0x01, 0x02, 0x03, 0x04});
    g.text("trac").be32(41);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0x7F, 0x80, 0x3F, 0x00, 0x7F, 0x81, 0x20, 0x00, 0x7F, 0x00, 0x00, 0x3F});
    g.raw({0x01, 0xFF, 0xDC, 0x00}); // 2 × 2 / 16000 / 0.005 = 0.05, + 0.999
    g.raw({0x0B, 0xFF, 0xDC, 0x00}); // 50 / 5 + 1
    g.raw({0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    EXPECT_EQ(cw::writeG726AdatFile("0500", inputs(50), stereoVoice(left, right, 16000)), g.bytes());
}
