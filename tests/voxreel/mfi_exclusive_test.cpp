// The voice records of every family, as chimewright's writers lay them out, read back.
#include "voxreel/model/mfi_event.hpp"

#include "tests/voxreel/ringtone_builder.hpp"

#include <gtest/gtest.h>

using namespace vx_test;
using voxreel::MfiEvent;
namespace variant = voxreel::variant;

namespace {

struct Expect {
    int vendor = 0;
    int variantCode = 0; // 0: not audio
    int audioOffset = 0;
    double rate = 0;
    int codeWidth = 4;
    int dataNumber = 0;
    int channel = 0;
    int packetMode = 0;
    bool continues = false;
    bool play = false;
    int volume = -1; // -1: no volume
    int pan = -1;    // -1: no pan
};

struct Case {
    const char* name;
    Bytes record; // the exclusive event's data, vendor byte first
    Expect expect;
};

const Bytes voice = repeated(0x5A, 6);

void check(const Case& c) {
    const Bytes event = exclusive(0, c.record);
    const MfiEvent e = voxreel::decodeMfiEvent(event);
    const Expect& x = c.expect;
    SCOPED_TRACE(c.name);
    EXPECT_EQ(e.vendorCode, x.vendor);
    EXPECT_EQ(e.isAudio, x.variantCode != 0);
    if (x.variantCode != 0) {
        EXPECT_EQ(e.variantCode, x.variantCode);
        EXPECT_EQ(e.audioOffset, x.audioOffset);
        EXPECT_EQ(e.audioLength, e.length - x.audioOffset);
    }
    EXPECT_DOUBLE_EQ(e.sampleRate, x.rate);
    EXPECT_EQ(e.codeWidth, x.codeWidth);
    EXPECT_EQ(e.dataNumber, x.dataNumber);
    EXPECT_EQ(e.targetChannel, x.channel);
    EXPECT_EQ(e.packetMode, x.packetMode);
    EXPECT_EQ(e.continues, x.continues);
    EXPECT_EQ(e.isPlay, x.play);
    EXPECT_EQ(e.hasVolume, x.volume >= 0);
    if (x.volume >= 0) {
        EXPECT_EQ(e.volume, x.volume);
    }
    EXPECT_EQ(e.hasPan, x.pan >= 0);
    if (x.pan >= 0) {
        EXPECT_EQ(e.pan, x.pan);
    }
}

Expect audio(int vendor, int variantCode, int offset, double rate) {
    Expect x;
    x.vendor = vendor;
    x.variantCode = variantCode;
    x.audioOffset = offset;
    x.rate = rate;
    return x;
}

template <typename Change>
Expect with(Expect x, Change change) {
    change(x);
    return x;
}

} // namespace

TEST(MfiExclusive, StepFamilies) {
    const Case cases[] = {
        {"0x21 inline 8 kHz", bytes({0x21, 0x83, 0, 0x45, 0}) + voice,
         with(audio(0x21, variant::standard, 10, 8000), [](Expect& x) { x.packetMode = 1; x.play = true; })},
        {"0x21 inline 4 kHz", bytes({0x21, 0x83, 0, 0x44, 0}) + voice,
         with(audio(0x21, variant::standard, 10, 4000), [](Expect& x) { x.packetMode = 1; x.play = true; })},
        {"0x21 block, more follows", bytes({0x21, 0x86, 0x00, 6, 1}) + voice,
         with(audio(0x21, variant::standard, 10, 16000), [](Expect& x) { x.continues = true; })},
        {"0x21 right-channel block", bytes({0x21, 0x86, 0x41, 5, 0}) + voice,
         with(audio(0x21, variant::standard, 10, 8000), [](Expect& x) { x.dataNumber = 1; x.channel = 1; })},
        {"0x21 block play", bytes({0x21, 0x86, 0x41, 0x85, 0}),
         with(audio(0x21, variant::standard, 10, 8000),
              [](Expect& x) { x.dataNumber = 1; x.channel = 1; x.packetMode = 2; x.play = true; })},
        {"0x21 volume, second channel", bytes({0x21, 0x81, 0x40 | 50}),
         {.vendor = 0x21, .channel = 1, .volume = 50}},
        {"0x21 pan right", bytes({0x21, 0x82, 0x7F}), {.vendor = 0x21, .channel = 1, .pan = 63}},
        {"0x41 block 0301", bytes({0x41, 0x86, 0, 6, 0}) + voice,
         audio(0x41, variant::alternate, 10, 16000)},
        {"0x41 inline", bytes({0x41, 0x83, 0, 0x44, 0}) + voice,
         with(audio(0x41, variant::standard, 10, 4000),
              [](Expect& x) { x.packetMode = 1; x.play = true; x.codeWidth = 2; })},
        {"0x41 pan record 80", bytes({0x41, 0x80, 0x20}), {.vendor = 0x41, .pan = 32}},
        {"0x71 block", bytes({0x71, 0x86, 0, 5, 1}) + voice,
         with(audio(0x71, variant::standard, 10, 8000), [](Expect& x) { x.continues = true; })},
        {"0x51 voice", bytes({0x51, 0x01, 3, 1}) + voice,
         with(audio(0x51, variant::standard, 9, 8000), [](Expect& x) { x.dataNumber = 3; })},
        {"0x51 play", bytes({0x51, 0x05, 0x23}), {.vendor = 0x51, .dataNumber = 3, .channel = -1, .play = true}},
        {"0x51 volume", bytes({0x51, 0x06, 0x7F}), {.vendor = 0x51, .channel = -1, .volume = 63}},
    };
    for (const Case& c : cases) check(c);
}

TEST(MfiExclusive, LowNibbleFamilies) {
    const Case cases[] = {
        {"0x11 0300 voice", bytes({0x11, 0x01, 0xF0, 0x07, 1, 1, 0x3E, 0x80}) + voice,
         with(audio(0x11, variant::standard, 13, 16000), [](Expect& x) { x.dataNumber = 1; })},
        {"0x11 0300 voice, length 13 sets nothing", bytes({0x11, 0x01, 0xF0, 0x07, 1, 1, 0x3E, 0x80}),
         {.vendor = 0x11}},
        {"0x11 F0 06 voice", bytes({0x11, 0x01, 0xF0, 0x06, 2, 0}) + voice,
         with(audio(0x11, variant::standard, 11, 8000), [](Expect& x) { x.dataNumber = 2; })},
        {"0x11 start", bytes({0x11, 0x01, 0xF1, 0x43, 1, 0x7F}),
         {.vendor = 0x11, .dataNumber = 1, .channel = 1, .play = true, .volume = 63}},
        {"0x11 pan", bytes({0x11, 0x01, 0xF1, 0x46, 1, 0x3F}),
         {.vendor = 0x11, .dataNumber = 1, .channel = 1, .pan = 63}},
        {"0x11 pan above 0x3F is centre", bytes({0x11, 0x01, 0xF1, 0x06, 0, 0x50}),
         {.vendor = 0x11, .pan = 32}},
        {"0x11 0200 voice", bytes({0x11, 0xF0, 0x02, 0x01, 0}) + voice,
         with(audio(0x11, variant::singleRecord, 10, 4000), [](Expect& x) { x.dataNumber = 1; })},
        {"0x11 0200 play", bytes({0x11, 0xF1, 0x20, 0x01, 0xFF}),
         {.vendor = 0x11, .dataNumber = 1, .play = true}},
        {"0x11 0200 volume", bytes({0x11, 0xF2, 0x01, 0x3F}), {.vendor = 0x11, .channel = -1, .volume = 63}},
        {"0x21 0200 voice", bytes({0x21, 0x01, 0x03, 0x01, 1}) + voice,
         with(audio(0x21, variant::singleRecord, 10, 8000), [](Expect& x) { x.dataNumber = 1; })},
        {"0x21 0200 play", bytes({0x21, 0x01, 0x05, 0x01, 0xFF}),
         {.vendor = 0x21, .dataNumber = 1, .channel = -1, .play = true}},
        {"0x21 0200 volume", bytes({0x21, 0x01, 0x06, 0x3F}), {.vendor = 0x21, .channel = -1, .volume = 63}},
        {"0x31 voice", bytes({0x31, 0x10, 0x07, 1, 1, 0x1F, 0x40}) + voice,
         with(audio(0x31, variant::standard, 12, 8000), [](Expect& x) { x.dataNumber = 1; })},
        {"0x31 start", bytes({0x31, 0x10, 0x49, 1, 0x64}),
         {.vendor = 0x31, .dataNumber = 1, .channel = 1, .play = true, .volume = 0x24}},
        {"0x31 pan", bytes({0x31, 0x10, 0x0B, 0, 0}), {.vendor = 0x31, .pan = 0}},
        {"0x31 set-up record is too short to act", bytes({0x31, 0x10, 0x09, 0}), {.vendor = 0x31}},
    };
    for (const Case& c : cases) check(c);
}

TEST(MfiExclusive, G726Families) {
    const Case cases[] = {
        {"0x41 four-track 8 kHz", bytes({0x41, 0x84, 0, 0x45, 1, 0, 0, 0x10, 0}) + voice,
         with(audio(0x41, variant::fourTrack, 14, 8000),
              [](Expect& x) { x.packetMode = 1; x.play = true; x.continues = true; })},
        {"0x41 four-track 2-bit at 4 kHz", bytes({0x41, 0x84, 0, 0x44, 0, 0, 0, 0, 0}) + voice,
         with(audio(0x41, variant::fourTrack, 14, 4000),
              [](Expect& x) { x.packetMode = 1; x.play = true; x.codeWidth = 2; })},
        {"0x41 four-track 16 kHz", bytes({0x41, 0x84, 0, 0x4D, 0, 0, 0, 0, 0}) + voice,
         with(audio(0x41, variant::fourTrack, 14, 16000), [](Expect& x) { x.packetMode = 1; x.play = true; })},
        {"0x71 four-track 32 kHz 2-bit", bytes({0x71, 0x84, 0x41, 0x54, 0, 0, 0, 0, 0}) + voice,
         with(audio(0x71, variant::alternate, 14, 32000), [](Expect& x) {
             x.packetMode = 1; x.play = true; x.codeWidth = 2; x.dataNumber = 1; x.channel = 1;
         })},
        {"0x71 stereo pan record 80", bytes({0x71, 0x80, 0x7F}), {.vendor = 0x71, .channel = 1, .pan = 63}},
        {"0x31 four-track 32 kHz", bytes({0x31, 0x84, 0, 0x55, 0, 0, 0, 0, 0}) + voice,
         with(audio(0x31, variant::fourTrack, 14, 32000), [](Expect& x) { x.packetMode = 1; x.play = true; })},
        {"0x31 stereo pan record 80", bytes({0x31, 0x80, 0x00}), {.vendor = 0x31, .pan = 0}},
        {"0x31 voice volume", bytes({0x31, 0x81, 0x40 | 40}), {.vendor = 0x31, .channel = 1, .volume = 40}},
        {"0x61 single-track block", bytes({0x61, 0x83, 0x41, 0x4D, 1}) + voice,
         with(audio(0x61, variant::standard, 10, 16000), [](Expect& x) {
             x.packetMode = 1; x.play = true; x.continues = true; x.dataNumber = 1; x.channel = 1;
         })},
        {"0x61 inline 4 kHz is 2-bit", bytes({0x61, 0x83, 0, 0x44, 0}) + voice,
         with(audio(0x61, variant::standard, 10, 4000),
              [](Expect& x) { x.packetMode = 1; x.play = true; x.codeWidth = 2; })},
        {"0x61 four-track 0x15 sets no rate", bytes({0x61, 0x84, 0, 0x55, 0, 0, 0, 0, 0}) + voice,
         with(audio(0x61, variant::fourTrack, 14, 0), [](Expect& x) { x.packetMode = 1; x.play = true; })},
        {"F1 06 block becomes vendor 0x21", bytes({0xF1, 0x06, 0x86, 0x00, 0x06, 0}) + voice,
         audio(0x21, variant::standard, 11, 16000)},
        {"F1 06 volume", bytes({0xF1, 0x06, 0x81, 0x45}), {.vendor = 0x21, .channel = 1, .volume = 5}},
        {"F1 other is ignored", bytes({0xF1, 0x07, 0x81, 0x45}), {.vendor = 0xF1}},
    };
    for (const Case& c : cases) check(c);
}

TEST(MfiExclusive, ImaFourTrackRecords) {
    const Bytes n600 = bytes({0x11, 0x11, 0x00, 0x00});
    const Bytes l600 = bytes({0xF1, 0x08, 0x00, 0x0F});
    const Case cases[] = {
        {"N600 block", n600 + bytes({0x88, 0x00, 5, 1}) + voice,
         with(audio(0x11, variant::ima, 13, 8000), [](Expect& x) { x.continues = true; })},
        {"L600 right block at 16 kHz", l600 + bytes({0x88, 0x41, 6, 0}) + voice,
         with(audio(0xF1, variant::ima, 13, 16000), [](Expect& x) { x.dataNumber = 1; x.channel = 1; })},
        {"L600 play", l600 + bytes({0x88, 0x00, 0x85, 0}),
         with(audio(0xF1, variant::ima, 13, 8000), [](Expect& x) { x.packetMode = 2; x.play = true; })},
        {"N600 volume", n600 + bytes({0x81, 0x40 | 63}), {.vendor = 0x11, .channel = 1, .volume = 63}},
        {"L600 pan", l600 + bytes({0x82, 0x20}), {.vendor = 0xF1, .pan = 32}},
    };
    for (const Case& c : cases) check(c);
}

TEST(MfiExclusive, ShortRecordsReadNothingBeyondThemselves) {
    // Each record is one byte short of what its form needs; the byte that would follow in
    // the track must not be read as part of it.
    const Case cases[] = {
        {"0x21 volume without its value", bytes({0x21, 0x81}), {.vendor = 0x21}},
        {"0x21 block header cut", bytes({0x21, 0x86, 0, 5}), {.vendor = 0x21}},
        {"0x41 four-track header cut", bytes({0x41, 0x84, 0, 0x45, 1, 0, 0, 0}), {.vendor = 0x41}},
        {"0x31 voice header cut", bytes({0x31, 0x10, 0x07, 1, 1, 0x1F}), {.vendor = 0x31}},
        {"IMA block header cut", bytes({0x11, 0x11, 0, 0, 0x88, 0, 5}), {.vendor = 0x11}},
        {"F1 06 volume without its value", bytes({0xF1, 0x06, 0x81}), {.vendor = 0x21}},
    };
    for (const Case& c : cases) check(c);
}
