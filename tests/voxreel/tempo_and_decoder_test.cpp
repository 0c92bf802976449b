#include "voxreel/render/post_filter.hpp"
#include "voxreel/render/tempo_map.hpp"
#include "voxreel/render/voice_decoder.hpp"

#include "shared/step_adpcm.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

using voxreel::VoiceCodec;

TEST(TempoMap, TimeOfTick) {
    voxreel::TempoMap map;
    EXPECT_EQ(map.timeOfTick(500), 0.0) << "no tempo event: everything at time 0";

    map.add(0, 5.0);
    map.add(480, 10.0);
    EXPECT_DOUBLE_EQ(map.timeOfTick(0), 0.0);
    EXPECT_DOUBLE_EQ(map.timeOfTick(240), 240 * 5.0);
    EXPECT_DOUBLE_EQ(map.timeOfTick(480), 480 * 5.0);
    EXPECT_DOUBLE_EQ(map.timeOfTick(500), 480 * 5.0 + 20 * 10.0);

    // A first tempo event after tick 0: the initial 10 ms entry covers the time before it.
    voxreel::TempoMap late;
    late.add(100, 2.0);
    EXPECT_DOUBLE_EQ(late.timeOfTick(50), 500.0);
    EXPECT_DOUBLE_EQ(late.timeOfTick(150), 1000.0 + 100.0);
}

TEST(VoiceDecoder, ChoiceByVendorAndVariant) {
    struct Case {
        int vendor, variantCode;
        VoiceCodec codec;
    };
    const Case cases[] = {
        {0x61, 300, VoiceCodec::g726},
        {0x41, 301, VoiceCodec::g726},
        {0x41, 300, VoiceCodec::stepHighNibbleFirst},
        {0x41, 302, VoiceCodec::stepHighNibbleFirst},
        {0x71, 302, VoiceCodec::g726},
        {0x71, 300, VoiceCodec::stepHighNibbleFirst},
        {0x31, 301, VoiceCodec::g726},
        {0x31, 300, VoiceCodec::stepLowNibbleFirst},
        {0x31, 200, VoiceCodec::stepHighNibbleFirst},
        {400, 0x81, VoiceCodec::g726},
        {400, 0x82, VoiceCodec::stepLowNibbleFirst},
        {400, 0x83, VoiceCodec::ima},
        {400, 0x80, VoiceCodec::stepHighNibbleFirst},
        {0x11, 200, VoiceCodec::stepLowNibbleFirst},
        {0x11, 300, VoiceCodec::stepLowNibbleFirst},
        {0x11, 303, VoiceCodec::ima},
        {0xF1, 303, VoiceCodec::ima},
        {0x21, 200, VoiceCodec::stepLowNibbleFirst},
        {0x21, 300, VoiceCodec::stepHighNibbleFirst},
        {0x51, 300, VoiceCodec::stepHighNibbleFirst},
    };
    for (const Case& c : cases)
        EXPECT_EQ(voxreel::chooseVoiceCodec(c.vendor, c.variantCode), c.codec)
            << c.vendor << "/" << c.variantCode;
    EXPECT_EQ(voxreel::postFilterLowBins(VoiceCodec::stepLowNibbleFirst), 150);
    EXPECT_EQ(voxreel::postFilterLowBins(VoiceCodec::g726), 20);
}

TEST(VoiceDecoder, SampleCountsAndTwoBitRate) {
    const std::vector<unsigned char> data(512, 0x37);
    EXPECT_EQ(voxreel::decodeVoice(VoiceCodec::stepHighNibbleFirst, data, 8000, 4).samples.size(), 1024u);
    const auto g4 = voxreel::decodeVoice(VoiceCodec::g726, data, 8000, 4);
    EXPECT_EQ(g4.samples.size(), 1024u);
    const auto g2 = voxreel::decodeVoice(VoiceCodec::g726, data, 4000, 2);
    EXPECT_EQ(g2.samples.size(), 2048u);
    EXPECT_EQ(g2.sampleRate, 8000.0);
    EXPECT_EQ(voxreel::decodeVoice(VoiceCodec::g726, data, 4000, 4).sampleRate, 4000.0);
    EXPECT_EQ(voxreel::decodeVoice(VoiceCodec::ima, data, 8000, 4).samples.size(), 1010u);
}

TEST(PostFilter, RemovesLowBinsAndGainsTenPercent) {
    // A 1 kHz tone on a DC offset, 8192 samples at 8000 Hz: the DC goes, the tone keeps 1.1 x
    // its level.
    std::vector<std::int16_t> samples(8192);
    for (std::size_t j = 0; j < samples.size(); ++j)
        samples[j] = static_cast<std::int16_t>(
            3000 + 10000 * std::sin(2 * std::numbers::pi * 1000.0 * static_cast<double>(j) / 8000));
    voxreel::postFilter(samples, 20);
    double sum = 0, peak = 0;
    for (std::int16_t s : samples) {
        sum += s;
        peak = std::max(peak, std::abs(static_cast<double>(s)));
    }
    EXPECT_NEAR(sum / static_cast<double>(samples.size()), 0.0, 2.0);
    EXPECT_NEAR(peak, 11000.0, 15.0);
}

TEST(PostFilter, ShortBlocksBecomeSilence) {
    // 200 samples: N = 256, half of it is 128 bins, all below K = 150.
    std::vector<std::int16_t> samples(200, 5000);
    for (std::size_t j = 0; j < samples.size(); j += 2) samples[j] = -5000;
    voxreel::postFilter(samples, 150);
    for (std::int16_t s : samples) EXPECT_EQ(s, 0);

    std::vector<std::int16_t> one(1, 1234);
    voxreel::postFilter(one, 20);
    EXPECT_EQ(one[0], 0);
}
