// The step-ADPCM writers against bytes written out by hand from the MFi layout.
#include "chimewright/mfi/forms/block_voice_writer.hpp"
#include "chimewright/mfi/forms/inline_voice_writer.hpp"
#include "chimewright/mfi/voice/step_adat_voice.hpp"
#include "tests/chimewright/mfi/golden_bytes.hpp"
#include "tests/chimewright/mfi/mfi_test_reader.hpp"

#include <gtest/gtest.h>

using mfi_test::Golden;
using mfi_test::patternVoice;

namespace {

const cw::InlineVoiceLayout inline21{0x21, "0300", {0xC3, 0x7D}};

cw::MfiWriterInputs plainInputs(std::uint32_t extraMs = 0, bool loop = false) {
    cw::MfiWriterInputs in;
    in.extraSilenceMs = extraMs;
    in.loop = loop;
    in.volume = 1.0;
    return in;
}

// "melo" .. "note" of a "0300" file without title and copyright: information length 28.
Golden plainHeader0300(std::uint32_t fileLength, int tracks) {
    return mfi_test::plainHeader("0300", fileLength, 0x02, tracks);
}

} // namespace

TEST(InlineWriterGolden, TenThousandBytesAt8000HzRestFor251Ticks) {
    const auto voice = patternVoice(10000);
    EXPECT_EQ(cw::stepInlineTicks(voice.size(), 8000, 0), 251u);

    // 38 header bytes, "trac" + length, 26 event bytes, the voice, 12 trailer bytes.
    Golden g = plainHeader0300(38 + 8 + 26 + 10000 + 12, 1);
    g.text("trac").be32(26 + 10000 + 12);
    g.raw({0x00, 0xFF, 0xD0, 0x00});
    g.raw({0x00, 0xFF, 0xC3, 0x7D});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x21, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x27, 0x15, 0x21, 0x83, 0x00, 0x45, 0x00}); // 10005 = 0x2715
    g.raw(voice);
    g.raw({251, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xD0, 0x01});
    g.raw({0x00, 0xFF, 0xDF, 0x00});

    const auto file = cw::writeInlineVoiceFile(inline21, plainInputs(), voice, 8000, 251);
    EXPECT_EQ(file, g.bytes());
}

TEST(InlineWriterGolden, ExtraSilenceSplitsTheRestsAndAddsASecondTrack) {
    const auto voice = patternVoice(10000);
    const std::uint32_t ticks = cw::stepInlineTicks(voice.size(), 8000, 300);
    EXPECT_EQ(ticks, 281u);

    Golden g = plainHeader0300(38 + 8 + 26 + 10000 + 16 + 8 + 12, 2);
    g.text("trac").be32(26 + 10000 + 16);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xC3, 0x7D});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x21, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x27, 0x15, 0x21, 0x83, 0x00, 0x45, 0x00});
    g.raw(voice);
    g.raw({254, 0xFF, 0xDE, 0x00, 27, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    g.text("trac").be32(12);
    g.raw({254, 0xFF, 0xDE, 0x00, 27, 0xFF, 0xDE, 0x00, 0x00, 0xFF, 0xDF, 0x00});

    EXPECT_EQ(cw::writeInlineVoiceFile(inline21, plainInputs(300), voice, 8000, ticks), g.bytes());
}

TEST(InlineWriterGolden, LoopMarkersVolumeAndThe4kHzRateByte) {
    const auto voice = patternVoice(6);
    auto in = plainInputs(0, true);
    in.volume = 0.5; // vv63 = trunc(31.5 + 0.5) = 32
    const cw::InlineVoiceLayout inline41{0x41, "0200", {0xC3, 0x7D}};

    Golden g;
    g.text("melo").be32(38 + 8 + 30 + 6 + 16 - 8).be16(28).raw({0x02, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0200");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("trac").be32(30 + 6 + 16);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xDD, 0x00, 0x00, 0xFF, 0xC3, 0x7D});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x41, 0x81, 32});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0B, 0x41, 0x83, 0x00, 0x44, 0x00});
    g.raw(voice);
    g.raw({1, 0xFF, 0xDE, 0x00}); // trunc(6 / 20 + 1) = 1
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});

    EXPECT_EQ(cw::stepInlineTicks(voice.size(), 4000, 0), 1u);
    EXPECT_EQ(cw::writeInlineVoiceFile(inline41, in, voice, 4000, 1), g.bytes());
}

TEST(InlineWriter, TicksAreCappedAt6000) {
    EXPECT_EQ(cw::stepInlineTicks(10000, 4000, 0), 501u);   // 10000 / 20 + 1
    EXPECT_EQ(cw::stepInlineTicks(10000, 8000, 59990), 6000u);
    EXPECT_EQ(cw::stepInlineTicks(0, 8000, 0), 1u);
}

TEST(InlineWriter, AHeaderOf256BytesOrMoreWritesNothing) {
    auto in = plainInputs();
    // Longer than the files ever hold: the writer takes texts as given.
    in.texts.title = std::string(100, 'T');
    in.texts.copyright = std::string(100, 'C');
    EXPECT_TRUE(cw::writeInlineVoiceFile(inline21, in, patternVoice(10), 8000, 1).empty());
    in.texts.copyright = std::string(20, 'C');
    EXPECT_FALSE(cw::writeInlineVoiceFile(inline21, in, patternVoice(10), 8000, 1).empty());
}

TEST(BlockWriterGolden, HundredThousandBytesAsThreeBlocks) {
    const auto voice = patternVoice(100000);
    const std::vector<unsigned char> block1(voice.begin(), voice.begin() + 48000);
    const std::vector<unsigned char> block2(voice.begin() + 48000, voice.begin() + 96000);
    const std::vector<unsigned char> block3(voice.begin() + 96000, voice.end());

    // 24 bytes of set-up, three blocks with 10-byte heads, the play record, two rests
    // (100000 × 0.005 = 500 ticks = 255 + 245) and the end of track.
    const std::uint32_t track = 24 + 100000 + 30 + 10 + 8 + 4;
    Golden g = plainHeader0300(38 + 8 + track, 1);
    g.text("trac").be32(track);
    g.raw({0x00, 0xFF, 0xB0, 127, 0x00, 0xFF, 0xC2, 0x32});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x21, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x21, 0x82, 0x20});
    g.raw({0x00, 0xFF, 0xFF, 0xBB, 0x85, 0x21, 0x86, 0x00, 0x05, 0x01}).raw(block1);
    g.raw({0x00, 0xFF, 0xFF, 0xBB, 0x85, 0x21, 0x86, 0x00, 0x05, 0x01}).raw(block2);
    g.raw({0x00, 0xFF, 0xFF, 0x0F, 0xA5, 0x21, 0x86, 0x00, 0x05, 0x00}).raw(block3);
    g.raw({0x01, 0xFF, 0xFF, 0x00, 0x05, 0x21, 0x86, 0x00, 0x85, 0x00});
    g.raw({255, 0xFF, 0xDE, 0x00, 245, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xDF, 0x00});

    const cw::BlockVoiceLayout layout{0x21, "0300", 0x82};
    EXPECT_EQ(cw::writeBlockVoiceFile(layout, plainInputs(), voice, 8000), g.bytes());
}

TEST(BlockWriterGolden, StereoBlocksPlayBothChannelsFromTheSameTick) {
    const std::vector<unsigned char> left{0x11, 0x22, 0x33};
    const std::vector<unsigned char> right{0x44, 0x55, 0x66};
    auto in = plainInputs(120, true); // extra silence: trunc(120 / 50 + 1) = 3 ticks

    const std::uint32_t track = 4 + 4 + 4 * 8 + 2 * 13 + 4 + 2 * 10 + 4 + 4 + 4 + 4;
    Golden g;
    g.text("melo").be32(38 + 8 + track - 8).be16(28).raw({0x02, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0301");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("trac").be32(track);
    g.raw({0x00, 0xFF, 0xC2, 0x32, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x41, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x41, 0x81, 63 | 0x40});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x41, 0x80, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x03, 0x41, 0x80, 0x7F});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x08, 0x41, 0x86, 0x00, 0x06, 0x00}).raw(left);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x08, 0x41, 0x86, 0x41, 0x06, 0x00}).raw(right);
    g.raw({0x00, 0xFF, 0xDD, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x05, 0x41, 0x86, 0x00, 0x86, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x05, 0x41, 0x86, 0x41, 0x86, 0x00});
    g.raw({1, 0xFF, 0xDE, 0x00});  // 3 bytes at 16000 Hz: ceil(3 × 0.0025) = 1 tick
    g.raw({3, 0xFF, 0xDE, 0x00});
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xDF, 0x00});

    const cw::BlockVoiceLayout layout{0x41, "0301", 0x80};
    EXPECT_EQ(cw::writeStereoBlockVoiceFile(layout, in, left, right, 16000), g.bytes());
}

TEST(BlockWriter, RestTicksRoundUpPerRate) {
    struct Case { std::size_t bytes; int rate; int ticks; };
    const Case cases[] = {
        {200, 8000, 1}, {201, 8000, 2}, {100, 4000, 1}, {101, 4000, 2}, {400, 16000, 1},
        {401, 16000, 2}, {0, 8000, 0}, {51000, 8000, 255}, {51001, 8000, 256},
    };
    const cw::BlockVoiceLayout layout{0x71, "0300", 0x82};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes << " bytes at " << c.rate);
        const auto file = cw::writeBlockVoiceFile(layout, plainInputs(), patternVoice(c.bytes), c.rate);
        // Sum the rest events' delta times after the play record.
        int ticks = 0;
        std::size_t play = 0;
        for (std::size_t i = 0; i + 9 < file.size(); ++i)
            if (file[i] == 0x01 && file[i + 1] == 0xFF && file[i + 2] == 0xFF && file[i + 5] == 0x71 &&
                file[i + 6] == 0x86 && file[i + 8] >= 0x80)
                play = i + 10;
        ASSERT_NE(play, 0u);
        for (std::size_t i = play; i + 4 < file.size(); i += 4) ticks += file[i];
        EXPECT_EQ(ticks, c.ticks);
    }
}

TEST(AdatWriterGolden, MonoStepFileWithTextsLoopAndExtraSilence) {
    const std::vector<unsigned char> voice{0x01, 0x23, 0x45, 0x67};
    auto in = plainInputs(100, true);
    in.texts.title = "AB";
    in.texts.copyright = "C";

    // Information: 28 + "exst" 8 + "ainf" 8 + "titl" 8 + "copy" 7 = 59.
    Golden g;
    g.text("melo").be32(151 - 8).be16(59).raw({0x01, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x01});
    g.text("titl").be16(2).text("AB");
    g.text("vers").be16(4).text("0400");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("exst").be16(2).raw({0x00, 0x01});
    g.text("copy").be16(1).text("C");
    g.text("ainf").be16(2).raw({0x01, 0x00});
    g.text("adat").be32(17).be16(11).raw({0x80, 0x00}).text("adpm").be16(3).raw({8, 4, 1});
    g.raw(voice);
    g.text("trac").be32(49);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xDD, 0x00});
    g.raw({0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0x7F, 0x80, 0x3F, 0x00, 0x7F, 0x81, 0x20, 0x00, 0x7F, 0x00, 0x00, 0x3F});
    g.raw({11, 0xFF, 0xDC, 0x00}); // (8 / 8000 + 0.05) / 0.005 + 0.999 = 11.199
    g.raw({21, 0xFF, 0xDC, 0x00}); // 100 / 5 + 1
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});

    cw::StepVoice v;
    v.left = voice;
    v.rate = 8000;
    EXPECT_EQ(cw::writeStepAdatFile(in, v), g.bytes());
}

TEST(AdatWriter, StereoBodyInterleavesNibbles) {
    const std::vector<unsigned char> left{0x12, 0xAB};
    const std::vector<unsigned char> right{0x34, 0xCD};
    EXPECT_EQ(cw::interleaveStepStereo(left, right),
              (std::vector<unsigned char>{0x13, 0x24, 0xAC, 0xBD}));

    cw::StepVoice v;
    v.left = left;
    v.right = right;
    v.stereo = true;
    v.rate = 16000;
    const auto file = cw::writeStepAdatFile(plainInputs(), v);
    // "adat" right after the 44 bytes of header and information, 13 + 2n bytes of data.
    const std::size_t adat = 10 + 44;
    ASSERT_GT(file.size(), adat + 8 + 17);
    EXPECT_EQ(std::string(file.begin() + adat, file.begin() + adat + 4), "adat");
    EXPECT_EQ(file[adat + 7], 13 + 4);
    EXPECT_EQ(file[adat + 8 + 10], 16); // kHz
    EXPECT_EQ(file[adat + 8 + 12], 10); // interleaved stereo
    EXPECT_EQ(std::vector<unsigned char>(file.begin() + adat + 8 + 13, file.begin() + adat + 8 + 17),
              (std::vector<unsigned char>{0x13, 0x24, 0xAC, 0xBD}));
}

TEST(AdatWriter, TicksOfTheSound) {
    struct Case { std::size_t bytes; int rate; std::uint32_t ticks; };
    const Case cases[] = {
        {0, 8000, 10},     // only the 0.05 s
        {4000, 8000, 210}, // 1 s = 200 ticks + 10
        {4001, 8000, 211}, // 200.05 rounds up
        {2000, 4000, 210},
        {8000, 16000, 210},
        {1, 16000, 11},    // 10.025 + 0.999
    };
    for (const Case& c : cases)
        EXPECT_EQ(cw::stepAdatTicks(c.bytes, c.rate), c.ticks) << c.bytes << " at " << c.rate;
}

TEST(BlockWriter, AChannelHoldsAtMost32Blocks) {
    const auto voice = patternVoice(33 * 48000);
    const cw::BlockVoiceLayout layout{0x21, "0300", 0x82};
    const auto file = cw::writeBlockVoiceFile(layout, plainInputs(), voice, 8000);
    std::string error;
    const auto read = mfi_test::readMfi(std::string(file.begin(), file.end()), error);
    ASSERT_TRUE(read) << error;
    const auto voiceRead = mfi_test::readStepVoice(*read, error);
    ASSERT_TRUE(voiceRead) << error;
    EXPECT_EQ(voiceRead->first.size(), 32u * 48000u);
    // The rests cover what was written: 1536000 × 0.005 = 7680 ticks.
    std::uint32_t restTicks = 0;
    for (const auto& e : read->tracks[0])
        if (e.body == mfi_test::Bytes{0xFF, 0xDE, 0x00}) restTicks += e.dt;
    EXPECT_EQ(restTicks, 7680u);
}
