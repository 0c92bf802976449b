// The IMA writers (four-track with either record prefix, "adat" "0400") against bytes written
// out by hand from the MFi layout, and the IMA voice held to the budget in whole blocks.
#include "chimewright/mfi/forms/ima_adat_voice.hpp"
#include "chimewright/mfi/forms/ima_four_track_writer.hpp"
#include "chimewright/mfi/voice/ima_voice.hpp"
#include "shared/ima_adpcm.hpp"
#include "tests/chimewright/mfi/family_voice_reader.hpp"
#include "tests/chimewright/mfi/golden_bytes.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

using mfi_test::Golden;
using mfi_test::inputs;
using mfi_test::patternVoice;
using mfi_test::plainHeader;

namespace {

// Tracks 2 and 4 (16 bytes) and track 3 (40 bytes) of a four-track IMA file.
void companions(Golden& g, std::initializer_list<int> soundWait, std::initializer_list<int> extraOrRest) {
    for (int track = 2; track <= 4; ++track) {
        g.text("trac").be32(track == 3 ? 40 : 16);
        g.raw({0x00, 0xFF, 0xDE, 0x00});
        if (track == 3)
            g.raw({0x00, 0xFF, 0xE1, 0x42, 0x00, 0xFF, 0xE0, 0x40, 0x00, 0xFF, 0xE2, 0x74,
                   0x00, 0xFF, 0xE3, 0x60, 0x00, 0xFF, 0xE2, 0x74, 0x00, 0xFF, 0xDE, 0x00});
        g.raw(soundWait).raw(extraOrRest).raw({0x00, 0xFF, 0xDF, 0x00});
    }
}

Golden header0301(std::size_t fileLength) {
    Golden g;
    g.text("melo").be32(static_cast<std::uint32_t>(fileLength - 8)).be16(28).raw({0x02, 0x01, 0x04});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0301");
    g.text("note").be16(2).raw({0x00, 0x01});
    return g;
}

} // namespace

TEST(ImaFourTrack, TicksOfTheSound) {
    struct Case { std::size_t bytes; int rate; std::uint32_t ticks; };
    const Case cases[] = {
        {4055, 8000, 204},  // 202.75 + 1.999
        {4000, 8000, 201},  // 200 + 1.999
        {8110, 16000, 215}, // 202.75 + 10 + 2.999
        {0, 8000, 1},
        {0, 16000, 12},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cw::imaFourTrackTicks(c.bytes, c.rate), c.ticks) << c.bytes << " at " << c.rate;
}

TEST(ImaFourTrackGolden, MonoWithTheF108Prefix) {
    const auto voice = patternVoice(256);
    // D = trunc(256 × 2 / 8000 / 0.005 + 1.999) = trunc(14.799) = 14.
    const std::size_t track1 = 4 + 4 + 4 + 11 + 11 + 13 + 256 + 13 + 4 + 4;
    Golden g = header0301(38 + 8 + track1 + 3 * 8 + 16 + 40 + 16);
    g.text("trac").be32(track1);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x06, 0xF1, 0x08, 0x00, 0x0F, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x06, 0xF1, 0x08, 0x00, 0x0F, 0x82, 0x20});
    g.raw({0x00, 0xFF, 0xFF, 0x01, 0x08, 0xF1, 0x08, 0x00, 0x0F, 0x88, 0x00, 0x05, 0x00}).raw(voice);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x08, 0xF1, 0x08, 0x00, 0x0F, 0x88, 0x00, 0x85, 0x00});
    g.raw({0x0E, 0xFF, 0xDC, 0x00});
    g.raw({0x00, 0xFF, 0xDF, 0x00});
    companions(g, {0x0E, 0xFF, 0xDC, 0x00}, {0x00, 0xFF, 0xDE, 0x00});

    cw::ImaVoice v;
    v.streams.left = voice;
    v.rate = 8000;
    EXPECT_EQ(cw::writeImaFourTrackFile(cw::imaPrefixF108, inputs(), v), g.bytes());
}

TEST(ImaFourTrackGolden, StereoAt16000HzWithTheVendor11PrefixLoopAndExtraSilence) {
    const std::vector<unsigned char> left{0x01, 0x02, 0x03};
    const std::vector<unsigned char> right{0x04, 0x05, 0x06};
    // D = trunc((6 / 16000 + 0.05) / 0.005 + 2.999) = trunc(13.074) = 13; 50 ms: 11 ticks.
    const std::size_t track1 = 12 + 4 * 11 + 2 * 16 + 4 + 2 * 13 + 4 + 4 + 4 + 4;
    Golden g = header0301(38 + 8 + track1 + 3 * 8 + 16 + 40 + 16);
    g.text("trac").be32(track1);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x06, 0x11, 0x11, 0x00, 0x00, 0x81, 63});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x06, 0x11, 0x11, 0x00, 0x00, 0x81, 63 | 0x40});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x06, 0x11, 0x11, 0x00, 0x00, 0x82, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x06, 0x11, 0x11, 0x00, 0x00, 0x82, 0x7F});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0B, 0x11, 0x11, 0x00, 0x00, 0x88, 0x00, 0x06, 0x00}).raw(left);
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x0B, 0x11, 0x11, 0x00, 0x00, 0x88, 0x41, 0x06, 0x00}).raw(right);
    g.raw({0x00, 0xFF, 0xDD, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x08, 0x11, 0x11, 0x00, 0x00, 0x88, 0x00, 0x86, 0x00});
    g.raw({0x00, 0xFF, 0xFF, 0x00, 0x08, 0x11, 0x11, 0x00, 0x00, 0x88, 0x41, 0x86, 0x00});
    g.raw({0x0D, 0xFF, 0xDC, 0x00, 0x0B, 0xFF, 0xDC, 0x00});
    g.raw({0x00, 0xFF, 0xDD, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    companions(g, {0x0D, 0xFF, 0xDC, 0x00}, {0x0B, 0xFF, 0xDC, 0x00});

    cw::ImaVoice v;
    v.streams = {left, right, true};
    v.rate = 16000;
    EXPECT_EQ(cw::writeImaFourTrackFile(cw::imaPrefixVendor11, inputs(50, true), v), g.bytes());
}

TEST(ImaAdatGolden, Mono8000Hz) {
    const auto voice = patternVoice(256);
    Golden g;
    g.text("melo").be32(10 + 44 + 8 + 13 + 256 + 8 + 37 - 8).be16(44).raw({0x01, 0x01, 0x01});
    g.text("sorc").be16(1).raw({0x00});
    g.text("vers").be16(4).text("0400");
    g.text("note").be16(2).raw({0x00, 0x01});
    g.text("exst").be16(2).raw({0x00, 0x01});
    g.text("ainf").be16(2).raw({0x01, 0x00});
    g.text("adat").be32(13 + 256).be16(11).raw({0x83, 0x00}).text("adpm").be16(3).raw({8, 4, 1});
    g.raw(voice);
    g.text("trac").be32(37);
    g.raw({0x00, 0xFF, 0xD0, 0x00, 0x00, 0xFF, 0xCB, 0x64, 0x00, 0xFF, 0xB0, 127});
    g.raw({0x00, 0x7F, 0x80, 0x3F, 0x00, 0x7F, 0x81, 0x20, 0x00, 0x7F, 0x00, 0x00, 0x3F});
    g.raw({0x17, 0xFF, 0xDC, 0x00}); // (512 / 8000 + 0.05) / 0.005 + 0.999 = 23.799
    g.raw({0x00, 0xFF, 0xD0, 0x01, 0x00, 0xFF, 0xDF, 0x00});
    cw::ImaVoice v;
    v.streams.left = voice;
    v.rate = 8000;
    EXPECT_EQ(cw::writeImaAdatFile(inputs(), v), g.bytes());
}

TEST(ImaVoice, TheBudgetKeepsWholeBlocksOfTheSameConversion) {
    const auto wave = testing_support::sineWave(700, 8000, 4000, 9000);
    const std::string wav = testing_support::makeWav({}, wave);
    const std::vector<unsigned char> image(wav.begin(), wav.end());
    const std::vector<std::int16_t> samples(wave.begin(), wave.end());

    // 4000 samples: 8 blocks (the last completed with silence).
    std::vector<unsigned char> whole(8 * 256);
    ASSERT_EQ(suite::encodeImaAdpcmBlocks(samples, whole), whole.size());
    EXPECT_EQ(cw::encodeImaChannel(image, 100000), whole);

    // A budget of 1000 bytes holds three blocks.
    const auto held = cw::encodeImaChannel(image, 1000);
    EXPECT_EQ(held, std::vector<unsigned char>(whole.begin(), whole.begin() + 768));
    EXPECT_TRUE(cw::encodeImaChannel(image, 255).empty());
}
