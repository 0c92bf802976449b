#include "chimewright/audio/wav_reader.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace testing_support;

namespace {

constexpr double normOff = -1.0;

// A ramp that stays below the soft knee, so the level stage is a plain 1.1 gain.
std::vector<std::int32_t> ramp(std::size_t frames) {
    std::vector<std::int32_t> v(frames);
    for (std::size_t i = 0; i < frames; ++i) v[i] = static_cast<std::int32_t>(i % 20000) - 10000;
    return v;
}

class WavReader : public ::testing::Test {
protected:
    ScratchFolder dir;
    platform::Path input = dir / "in.wav";

    void write(const std::string& bytes) { putFile(input, bytes); }
    std::vector<std::int16_t> temp8k() { return tempWavSamples(fileBytes(dir / "_cwmtmp.wav")); }
};

} // namespace

TEST_F(WavReader, FastPathKeepsSamplesBehindTwoLeadingZeros) {
    auto in = ramp(8000);
    write(makeWav({}, in));
    ASSERT_EQ(cw::readWavToTemp8k(input, normOff, 0, cw::channelMix, dir.path()), 0);
    std::string bytes = fileBytes(dir / "_cwmtmp.wav");
    ASSERT_EQ(bytes.size(), 44u + 2 * 8000);
    auto out = tempWavSamples(bytes);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
    for (std::size_t i = 2; i < out.size(); ++i)
        ASSERT_EQ(out[i], std::lround(1.1 * in[i - 2])) << i;
}

TEST_F(WavReader, ChunksBetweenFmtAndDataAreSkipped) {
    auto in = ramp(500);
    write(makeWav({}, in));
    ASSERT_EQ(cw::readWavToTemp8k(input, normOff, 0, cw::channelMix, dir.path()), 0);
    auto plain = temp8k();
    WavSpec withList;
    withList.chunksBeforeData = chunk("LIST", std::string(13, 'x')) + chunk("fact", "abcd");
    write(makeWav(withList, in));
    ASSERT_EQ(cw::readWavToTemp8k(input, normOff, 0, cw::channelMix, dir.path()), 0);
    EXPECT_EQ(temp8k(), plain);
}

TEST_F(WavReader, RejectsMalformedFiles) {
    const std::string good = makeWav({}, ramp(100));
    std::string listFirst = "RIFF" + good.substr(4, 8);
    listFirst = chunk("RIFF", "WAVE" + chunk("LIST", "abcd") + good.substr(12));
    std::string longData = good;
    longData[40] = static_cast<char>(0xFF); // data size now reaches past the end
    std::string noData = chunk("RIFF", good.substr(8, 28)); // "WAVE" + fmt chunk only

    WavSpec tag3; tag3.formatTag = 3;
    WavSpec bits24; bits24.bits = 24;
    std::string zeroAlign = good;
    zeroAlign[32] = zeroAlign[33] = 0;
    std::string zeroChannels = good;
    zeroChannels[22] = zeroChannels[23] = 0;

    struct Case { const char* name; std::string bytes; int code; };
    const Case cases[] = {
        {"not RIFF", "RIFX" + good.substr(4), 3006},
        {"empty", "", 3006},
        {"fmt not first", listFirst, 3007},
        {"AVI form", "RIFF" + good.substr(4, 4) + "AVI " + good.substr(12), 3007},
        {"float samples", makeWav(tag3, ramp(10)), 3008},
        {"24-bit samples", makeWav(bits24, ramp(10)), 3008},
        {"block align 0", zeroAlign, 3008},
        {"no channels", zeroChannels, 3008},
        {"data past the end", longData, 3009},
        {"no data chunk", noData, 3009},
    };
    for (const Case& c : cases) {
        write(c.bytes);
        EXPECT_EQ(cw::readWavToTemp8k(input, normOff, 0, cw::channelMix, dir.path()), c.code)
            << c.name;
    }
    EXPECT_EQ(cw::readWavToTemp8k(dir / "missing.wav", normOff, 0, 0, dir.path()), 3001);
    EXPECT_FALSE(platform::fileExists(dir / "_cwmtmp.wav"));
}

TEST_F(WavReader, EightBitStereoPicksTheChosenChannel) {
    // Whole cycles in a power-of-two block pass the brick-wall filter unchanged, and at the
    // file's own rate the spline lands on the samples, so the result is the channel x 1.1.
    const std::size_t frames = 1024;
    auto left = sineWave(8000.0 * 37 / frames, 8000, frames, 90);
    auto right = sineWave(8000.0 * 101 / frames, 8000, frames, 100);
    std::vector<std::int32_t> interleaved;
    for (std::size_t i = 0; i < frames; ++i) {
        interleaved.push_back(left[i]);
        interleaved.push_back(right[i]);
    }
    WavSpec layout; layout.channels = 2; layout.bits = 8;
    write(makeWav(layout, interleaved));
    ASSERT_EQ(cw::readWavToTemp8k(input, normOff, 0, cw::channelRight, dir.path()), 0);
    auto out = temp8k();
    ASSERT_EQ(out.size(), frames);
    for (std::size_t i = 2; i < out.size(); ++i)
        ASSERT_NEAR(out[i], 1.1 * right[i - 2], 1.0) << i;
}

TEST_F(WavReader, ThirtyTwoBitSamplesAreNotRescaled) {
    const std::size_t frames = 1024;
    WavSpec layout; layout.bits = 32;
    write(makeWav(layout, sineWave(8000.0 * 64 / frames, 8000, frames, 1e6)));
    ASSERT_EQ(cw::readWavToTemp8k(input, normOff, 0, cw::channelMix, dir.path()), 0);
    auto out = temp8k();
    int saturated = 0;
    for (auto v : out) saturated += std::abs(v) == 32767;
    EXPECT_GT(saturated, static_cast<int>(frames) / 2);
}

TEST_F(WavReader, DeliveredLengthFollowsTheRates) {
    struct Case { std::uint32_t rate; std::size_t frames; int target; std::size_t samples; };
    const Case cases[] = {
        {44100, 44100, 8000, 8000},  // 5.5125 input samples a step: 8000 positions, count 7999
        {6000, 6000, 8000, 8000},    // doubled to 12000 Hz first
        {8000, 8000, 16000, 16000},  // doubled, then at the target rate: count 15999
        {8000, 8000, 32000, 16000},  // still below the target after doubling: the end is cut
        {8000, 0, 8000, 1},          // nothing but one leading zero
    };
    for (const Case& c : cases) {
        WavSpec layout; layout.rate = c.rate;
        write(makeWav(layout, sineWave(440, c.rate, c.frames, 3000)));
        int code = c.target == 8000   ? cw::readWavToTemp8k(input, normOff, 0, 0, dir.path())
                   : c.target == 16000 ? cw::readWavToTemp16k(input, normOff, 0, dir.path())
                                       : cw::readWavToTemp32k(input, normOff, dir.path());
        ASSERT_EQ(code, 0) << c.rate << " to " << c.target;
        const char* name = c.target == 8000    ? "_cwmtmp.wav"
                           : c.target == 16000 ? "_cwsmtmp.wav"
                                               : "_cwm32tmp.wav";
        EXPECT_EQ(fileBytes(dir / name).size(), 44 + 2 * c.samples)
            << c.rate << " to " << c.target;
    }
}

TEST_F(WavReader, TemporaryHeaderAlwaysSays8000HzMono) {
    write(makeWav({}, ramp(100)));
    ASSERT_EQ(cw::readWavToTemp32k(input, normOff, dir.path()), 0);
    std::string bytes = fileBytes(dir / "_cwm32tmp.wav");
    ASSERT_GE(bytes.size(), 44u);
    const unsigned char expected[36] = {'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                        1,   0,   1,   0,   0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0,
                                        2,   0,   16,  0,   'd', 'a', 't', 'a'};
    EXPECT_EQ(bytes.substr(8, 32), std::string(reinterpret_cast<const char*>(expected), 32));
    EXPECT_EQ(static_cast<unsigned char>(bytes[40]) | static_cast<unsigned char>(bytes[41]) << 8,
              static_cast<int>(bytes.size() - 44));
}
