// Voice records laid out the way each handset family's writer lays them out, with voice data
// from the suite's encoders: the player must decode every family with its own codec, at its
// rate, on the right channel.
#include "voxreel/player/ringtone_player.hpp"

#include "shared/byte_order.hpp"
#include "shared/g726_channel.hpp"
#include "shared/ima_adpcm.hpp"
#include "shared/step_adpcm_channel.hpp"
#include "shared/temp_wav.hpp"
#include "tests/support/scratch.hpp"
#include "tests/voxreel/correlation.hpp"
#include "tests/voxreel/ringtone_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace vx_test;
using testing_support::ScratchFolder;
using testing_support::fileBytes;

namespace {

std::vector<std::int16_t> tones(double rate, double seconds, double a, double b) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(rate * seconds));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        samples[i] = static_cast<std::int16_t>(9000 * std::sin(2 * std::numbers::pi * a * t) +
                                               6000 * std::sin(2 * std::numbers::pi * b * t));
    }
    return samples;
}
const auto leftSound = [](double rate) { return tones(rate, 1.0, 440, 1300); };
const auto rightSound = [](double rate) { return tones(rate, 1.0, 620, 1900); };

Bytes g726(const std::vector<std::int16_t>& samples, suite::G726CodeWidth width) {
    Bytes out(samples.size());
    out.resize(suite::encodeG726Samples(samples, width, out));
    return out;
}

Bytes ima(const std::vector<std::int16_t>& samples) {
    Bytes out(suite::imaAdpcmEncodedSize(samples.size()));
    out.resize(suite::encodeImaAdpcmBlocks(samples, out));
    return out;
}

Bytes lowNibble(const std::vector<std::int16_t>& samples) {
    const auto header = suite::tempWavHeader(static_cast<std::uint32_t>(2 * samples.size()));
    Bytes image(header.begin(), header.end());
    for (std::int16_t s : samples) {
        image.push_back(static_cast<unsigned char>(s & 0xFF));
        image.push_back(static_cast<unsigned char>((s >> 8) & 0xFF));
    }
    Bytes out(samples.size());
    suite::StepAdpcmChannelOptions options;
    options.packing = suite::StepAdpcmPacking::lowNibbleFirst;
    options.byteBudget = out.size();
    out.resize(suite::encodeStepAdpcmChannel(image, options, out));
    return out;
}

Bytes be32(std::size_t value) {
    Bytes out(4);
    suite::writeBe32(out.data(), static_cast<std::uint32_t>(value));
    return out;
}

Bytes wait(int ticks) { return bytes({ticks & 0xFF, 0xFF, 0xDC, ticks >> 8}); }
const Bytes endOfTrack = bytes({0, 0xFF, 0xDF, 0});
const Bytes tempo5ms = bytes({0, 0xFF, 0xCB, 0x64});

Bytes fourTrackFile(const Bytes& firstTrack, const std::string& version) {
    const Bytes quiet = chunk("trac", bytes({0, 0xFF, 0xDE, 0}) + wait(200) + bytes({0, 0xFF, 0xDE, 0}) + endOfTrack);
    return mfiFile(mfiInfo(version, "Family"), {chunk("trac", firstTrack), quiet, quiet, quiet});
}

struct Played {
    voxreel::DisplayTexts texts;
    StereoWav wav;
    std::vector<voxreel::RenderedVoice> voices;
};

class FamilyLayout : public ::testing::Test {
protected:
    ScratchFolder folder;
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer{output, folder.path()};

    Played play(const Bytes& file) {
        Played played;
        EXPECT_TRUE(voxreel::playRingtoneBuffer(file, played.texts, renderer));
        played.wav = readStereoWav(fileBytes(renderer.fileName()));
        played.voices = renderer.renderedVoices();
        return played;
    }
    double correlate(const std::vector<double>& channel, const std::vector<std::int16_t>& reference) {
        return bestCorrelation(channel, toDoubles(reference), 8, firstSound(channel));
    }
};

} // namespace

TEST_F(FamilyLayout, StereoFourTrackG726WithPanRecords) {
    // Vendors 0x71 and 0x31 carry the stereo pans as V 80 records.
    for (int vendor : {0x41, 0x71, 0x31}) {
        SCOPED_TRACE(vendor);
        const auto left = leftSound(16000), right = rightSound(16000);
        const Bytes l = g726(left, suite::G726CodeWidth::fourBits), r = g726(right, suite::G726CodeWidth::fourBits);
        const Bytes track = bytes({0, 0xFF, 0xFF, 0, 14, vendor, 0x8F}) + repeated(1, 12) +
                            bytes({0, 0xFF, 0xD0, 0}) + tempo5ms + bytes({0, 0xFF, 0xB0, 127}) +
                            exclusive(0, bytes({vendor, 0x81, 50})) + exclusive(0, bytes({vendor, 0x81, 0x40 | 50})) +
                            exclusive(0, bytes({vendor, 0x80, 0x00})) + exclusive(0, bytes({vendor, 0x80, 0x7F})) +
                            bytes({0, 0xFF, 0xDE, 0}) +
                            exclusive(0, bytes({vendor, 0x84, 0x00, 0x4D, 0}) + be32(l.size()) + l) +
                            exclusive(0, bytes({vendor, 0x84, 0x41, 0x4D, 0}) + be32(r.size()) + r) +
                            wait(200) + bytes({0, 0xFF, 0xD0, 1}) + endOfTrack;
        const Played played = play(fourTrackFile(track, vendor == 0x31 ? "0301" : "0300"));
        ASSERT_EQ(played.voices.size(), 2u);
        EXPECT_EQ(played.voices[0].pan, 0);
        EXPECT_EQ(played.voices[1].pan, 63);
        EXPECT_EQ(played.voices[0].volume, 50) << "the voice volume record is read";
        EXPECT_EQ(played.wav.rate, 16000u);
        EXPECT_GE(correlate(played.wav.left, left), 0.97);
        EXPECT_GE(correlate(played.wav.right, right), 0.97);
        EXPECT_LT(correlate(played.wav.left, right), 0.3);
    }
}

TEST_F(FamilyLayout, TwoBitG726FourTrackAndAdat) {
    // "4kHz": 2-bit codes on the 8 kHz sound, the records saying 4000 Hz.
    const auto sound = leftSound(8000);
    const Bytes codes = g726(sound, suite::G726CodeWidth::twoBits);
    const Bytes track = tempo5ms + exclusive(0, bytes({0x41, 0x84, 0, 0x44, 0}) + be32(codes.size()) + codes) +
                        wait(200) + endOfTrack;
    Played played = play(fourTrackFile(track, "0300"));
    EXPECT_EQ(played.texts.label, "MFi(300) / P505,P252 / 4000[Hz]");
    EXPECT_EQ(played.wav.rate, 8000u);
    const double fourTrack = correlate(played.wav.left, sound);
    EXPECT_GE(fourTrack, 0.95);

    // The "adat" form says 8 kHz and 2 bits in its chunk; its play event says neither.
    const Bytes adatTrack = bytes({0, 0xFF, 0xD0, 0}) + tempo5ms + bytes({0, 0x7F, 0x80, 0x3F, 0, 0x7F, 0x81, 0x20}) +
                            bytes({0, 0x7F, 0x00, 0x00, 0x3F}) + wait(200) + endOfTrack;
    played = play(mfiFile(mfiInfo("0500", "Family"), {chunk("adat", adatBody(0x81, 8, 2, 1, codes)),
                                                     chunk("trac", adatTrack)}));
    EXPECT_EQ(played.texts.label, "MFi(500)(2) / 8000[Hz]");
    EXPECT_EQ(played.wav.rate, 8000u);
    EXPECT_EQ(played.voices.at(0).samples, static_cast<int>(4 * codes.size()));
    EXPECT_GE(correlate(played.wav.left, sound), 0.95);
    std::printf("    [2-bit G.726] four-track %.4f, adat %.4f\n", fourTrack,
                correlate(played.wav.left, sound));
}

TEST_F(FamilyLayout, ImaFourTrackRecordsOfBothPrefixes) {
    struct Case {
        Bytes prefix;
        const char* label;
    };
    const Case cases[] = {{bytes({0x11, 0x11, 0, 0}), "MFi(301) / N600 / 16000[Hz]"},
                          {bytes({0xF1, 0x08, 0, 0x0F}), "MFi(301) / L600 / 16000[Hz]"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const auto left = leftSound(16000), right = rightSound(16000);
        const Bytes l = ima(left), r = ima(right);
        // Blocks cut in the middle of an IMA block, as the writers' 65505-byte limit does.
        const std::size_t cut = 1000;
        auto record = [&](const Bytes& data) { return exclusive(0, c.prefix + data); };
        const Bytes track =
            bytes({0, 0xFF, 0xD0, 0}) + tempo5ms + bytes({0, 0xFF, 0xB0, 127}) +
            record(bytes({0x81, 63})) + record(bytes({0x81, 0x40 | 63})) + record(bytes({0x82, 0x00})) +
            record(bytes({0x82, 0x7F})) +
            record(bytes({0x88, 0x00, 6, 1}) + Bytes(l.begin(), l.begin() + cut)) +
            record(bytes({0x88, 0x00, 6, 0}) + Bytes(l.begin() + cut, l.end())) +
            record(bytes({0x88, 0x41, 6, 0}) + r) + record(bytes({0x88, 0x00, 0x86, 0})) +
            record(bytes({0x88, 0x41, 0x86, 0})) + wait(210) + endOfTrack;
        const Played played = play(fourTrackFile(track, "0301"));
        EXPECT_EQ(played.texts.label, c.label);
        ASSERT_EQ(played.voices.size(), 2u);
        EXPECT_EQ(played.voices[0].dataBytes, static_cast<int>(l.size()));
        EXPECT_GE(correlate(played.wav.left, left), 0.97);
        EXPECT_GE(correlate(played.wav.right, right), 0.97);
        EXPECT_LT(correlate(played.wav.left, right), 0.3);
    }
}

TEST_F(FamilyLayout, ImaAdatStereoHalves) {
    const auto left = leftSound(8000), right = rightSound(8000);
    const Bytes voice = ima(left) + ima(right);
    const Bytes track = bytes({0, 0xFF, 0xD0, 0}) + tempo5ms + bytes({0, 0x7F, 0x00, 0x00, 0x3F}) + wait(210) + endOfTrack;
    const Played played = play(mfiFile(mfiInfo("0400", "Family"), {chunk("adat", adatBody(0x83, 8, 4, 2, voice)),
                                                                  chunk("trac", track)}));
    EXPECT_EQ(played.texts.label, "MFi(400) / 8000[Hz]");
    EXPECT_GE(correlate(played.wav.left, left), 0.97);
    EXPECT_GE(correlate(played.wav.right, right), 0.97);
}

TEST_F(FamilyLayout, LowNibbleFamilies) {
    const auto left = leftSound(8000), right = rightSound(8000);
    const Bytes l = lowNibble(left), r = lowNibble(right);

    // Vendor 0x11 "0300", short form, stereo.
    const Bytes n504 = exclusive(0, bytes({0x11, 0x01, 0xF3, 0x03, 0x02})) + bytes({0, 0xFF, 0xB0, 127}) +
                       exclusive(0, bytes({0x11, 0x01, 0xF0, 0x07, 0, 1, 0x1F, 0x40}) + l) +
                       exclusive(0, bytes({0x11, 0x01, 0xF0, 0x07, 1, 1, 0x1F, 0x40}) + r) +
                       exclusive(0, bytes({0x11, 0x01, 0xF1, 0x06, 0, 0})) +
                       exclusive(0, bytes({0x11, 0x01, 0xF1, 0x46, 1, 0x3F})) + bytes({0, 0xFF, 0xCB, 0x7D}) +
                       exclusive(0, bytes({0x11, 0x01, 0xF1, 0x03, 0, 0x7F})) +
                       exclusive(0, bytes({0x11, 0x01, 0xF1, 0x43, 1, 0x7F})) + bytes({250, 0xFF, 0xDE, 0}) + endOfTrack;
    Played played = play(mfiFile(mfiInfo("0300", "Family"), {chunk("trac", n504)}));
    EXPECT_EQ(played.texts.label, "MFi(300) / N504,N505 / 8000[Hz]");
    EXPECT_GE(correlate(played.wav.left, left), 0.97);
    EXPECT_GE(correlate(played.wav.right, right), 0.97);

    // Vendor 0x31 "0300", stereo.
    const Bytes so504 = exclusive(0, bytes({0x31, 0x10, 0x01, 0x10})) + bytes({0, 0xFF, 0xB0, 127}) +
                        exclusive(0, bytes({0x31, 0x10, 0x07, 0, 1, 0x1F, 0x40}) + l) +
                        exclusive(0, bytes({0x31, 0x10, 0x07, 1, 1, 0x1F, 0x40}) + r) +
                        exclusive(0, bytes({0x31, 0x10, 0x0B, 0, 0})) + exclusive(0, bytes({0x31, 0x10, 0x4B, 1, 0x3F})) +
                        bytes({0, 0xFF, 0xD0, 0, 0, 0xFF, 0xC3, 0x7D}) +
                        exclusive(0, bytes({0x31, 0x10, 0x09, 0, 0x64})) + exclusive(0, bytes({0x31, 0x10, 0x49, 1, 0x64})) +
                        exclusive(101, bytes({0x31, 0x10, 0x0A, 0})) + endOfTrack;
    played = play(mfiFile(mfiInfo("0300", "Family"), {chunk("trac", so504)}));
    EXPECT_EQ(played.texts.label, "MFi(300) / SO504,SO505i / 8000[Hz]");
    EXPECT_GE(correlate(played.wav.left, left), 0.97);
    EXPECT_GE(correlate(played.wav.right, right), 0.97);

    // Vendor 0x21 "0200", one record and its set-up records.
    const Bytes f503 = bytes({0, 0xFF, 0xD0, 0, 0, 0xFF, 0xCA, 100, 0, 0xFF, 0xB0, 127}) +
                       exclusive(0, bytes({0x21, 0x01, 0x03, 0x01, 1}) + l) +
                       exclusive(0, bytes({0x21, 0x01, 0x06, 0x3F})) + exclusive(0, bytes({0x21, 0x01, 0x05, 0x01, 0xFF})) +
                       bytes({0xFF, 0xFF, 0xDE, 0}) + endOfTrack;
    played = play(mfiFile(mfiInfo("0200", "Family"), {chunk("trac", f503)}));
    EXPECT_EQ(played.texts.label, "MFi(200) / F503,F211 / 8000[Hz]");
    EXPECT_GE(correlate(played.wav.left, left), 0.97);
}
