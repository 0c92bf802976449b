#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/target_writers.hpp"
#include "tests/chimewright/driver/ogg_stream_reader.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace testing_support;
namespace opt = cw::option;

namespace {

// Temporary WAV files of distinct lengths, so that the length of the stream tells which one
// was encoded: the 16 kHz mono file, the 32 kHz file and the two 16 kHz channel files.
constexpr std::size_t mono16kSamples = 3000;
constexpr std::size_t mono32kSamples = 5000;
constexpr std::size_t left16kSamples = 3500;
constexpr std::size_t right16kSamples = 4000;

std::string tempWav(const std::vector<std::int32_t>& samples) {
    return makeWav(WavSpec{}, samples); // 44-byte header, mono, 16 bits
}

class AndroidTarget : public ::testing::Test {
protected:
    ScratchFolder work;
    ScratchFolder out;
    platform::Path mono16k = work / "_cwsmtmp.wav";
    platform::Path mono32k = work / "_cwm32tmp.wav";
    platform::Path left16k = work / "_cwhltmp.wav";
    platform::Path right16k = work / "_cwhrtmp.wav";
    platform::Path output = out.path() / "Andr" / "bell.ogg";

    void SetUp() override {
        putFile(mono16k, tempWav(sineWave(500, 16000, mono16kSamples, 12000)));
        putFile(mono32k, tempWav(sineWave(500, 32000, mono32kSamples, 12000)));
        putFile(left16k, tempWav(sineWave(500, 16000, left16kSamples, 12000)));
        putFile(right16k, tempWav(sineWave(500, 16000, right16kSamples, 0)));
    }

    cw::TargetBlock block(std::uint32_t flags, bool enabled = true) const {
        cw::TargetBlock b = cw::makeTargetBlock(flags | (enabled ? opt::create : 0), 1.0, 1, 0);
        b.enabled = enabled ? 1 : 0;
        b.outputPath = output;
        return b;
    }

    int write(const cw::TargetBlock& b, int intervalMs = 0, std::string_view title = "bell",
              std::string_view copyright = "") {
        return cw::writeAndroidTarget(mono16k, mono32k, left16k, right16k, b, title, copyright,
                                      intervalMs);
    }
};

} // namespace

TEST_F(AndroidTarget, OptionsChooseTheSource) {
    struct Case {
        const char* name;
        std::uint32_t flags;
        int rate;
        int channels;
        std::size_t samples;
    };
    const Case cases[] = {
        {"32kHz(4bit)", opt::rate32k4bit, 32000, 1, mono32kSamples},
        {"16kHz", opt::rate16k, 16000, 1, mono16kSamples},
        {"16kHz and 32kHz(4bit)", opt::rate16k | opt::rate32k4bit, 32000, 1, mono32kSamples},
        {"16kStereo", opt::stereo16k, 16000, 2, right16kSamples},
        {"16kHz and 16kStereo", opt::rate16k | opt::stereo16k, 16000, 1, mono16kSamples},
        {"everything", 0x3FF, 32000, 1, mono32kSamples},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::deleteFile(output);
        ASSERT_EQ(write(block(c.flags)), 0);
        const auto decoded = decodeOgg(fileBytes(output));
        ASSERT_TRUE(decoded.valid);
        EXPECT_EQ(decoded.rate, c.rate);
        EXPECT_EQ(decoded.channels, c.channels);
        EXPECT_EQ(decoded.samples, static_cast<long long>(c.samples));
    }
}

TEST_F(AndroidTarget, OtherOptionsAndADisabledBlockWriteNothing) {
    const std::uint32_t flags[] = {0, opt::rate32k2bit, opt::rate8k, opt::stereo8k, opt::rate4k,
                                   opt::unlimited};
    for (std::uint32_t f : flags) {
        EXPECT_EQ(write(block(f)), 0) << f;
        EXPECT_FALSE(platform::fileExists(output)) << f;
    }
    EXPECT_EQ(write(block(opt::rate16k, false)), 0);
    EXPECT_FALSE(platform::fileExists(output));
}

// The interval is silence after the samples, per channel: 500 ms is 8000 samples at 16 kHz.
TEST_F(AndroidTarget, IntervalAppendsSilence) {
    struct Case { std::uint32_t flags; int intervalMs; long long samples; };
    const Case cases[] = {
        {opt::rate16k, 500, mono16kSamples + 8000},
        {opt::rate32k4bit, 500, mono32kSamples + 16000},
        {opt::stereo16k, 500, right16kSamples + 8000},
        {opt::rate16k, 1, mono16kSamples + 16},
        {opt::rate16k, 0, mono16kSamples},
        {opt::rate16k, -200, mono16kSamples}, // nothing to take away
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.flags << ", " << c.intervalMs << " ms");
        ASSERT_EQ(write(block(c.flags), c.intervalMs), 0);
        const auto decoded = decodeOgg(fileBytes(output));
        ASSERT_TRUE(decoded.valid);
        EXPECT_EQ(decoded.samples, c.samples);
    }

    // What follows the sound is quiet, in both channels.
    ASSERT_EQ(write(block(opt::stereo16k), 500), 0);
    const auto decoded = decodeOgg(fileBytes(output));
    ASSERT_EQ(decoded.pcm.size(), 2u);
    for (const auto& channel : decoded.pcm) {
        ASSERT_EQ(channel.size(), right16kSamples + 8000);
        double peak = 0;
        for (std::size_t i = right16kSamples + 2000; i < channel.size(); ++i)
            peak = std::max(peak, double(std::fabs(channel[i])));
        EXPECT_LT(peak, 0.01);
    }
}

// The left file is shorter than the right one: its missing end is silence, and the sound of
// each file stays in its own channel.
TEST_F(AndroidTarget, StereoKeepsLeftAndRightApart) {
    ASSERT_EQ(write(block(opt::stereo16k)), 0);
    const auto decoded = decodeOgg(fileBytes(output));
    ASSERT_EQ(decoded.pcm.size(), 2u);
    auto level = [](const std::vector<float>& s, std::size_t from, std::size_t to) {
        double sum = 0;
        for (std::size_t i = from; i < to; ++i) sum += double(s[i]) * s[i];
        return std::sqrt(sum / double(to - from));
    };
    EXPECT_GT(level(decoded.pcm[0], 500, left16kSamples - 500), 0.2);
    EXPECT_LT(level(decoded.pcm[0], left16kSamples + 200, right16kSamples), 0.01);
    EXPECT_LT(level(decoded.pcm[1], 500, right16kSamples), 0.01);
}

TEST_F(AndroidTarget, CommentsCarryTheTexts) {
    ASSERT_EQ(write(block(opt::rate16k), 0, "\x92\x85\x90\x4d", "(c) 2024"), 0);
    EXPECT_EQ(decodeOgg(fileBytes(output)).comments,
              (std::vector<std::string>{"title=\x92\x85\x90\x4d", "Copyright=(c) 2024",
                                        "ANDROID_LOOP=true", "ENCODER=chimewright"}));
    ASSERT_EQ(write(block(opt::rate16k), 0, " ", ""), 0);
    EXPECT_EQ(decodeOgg(fileBytes(output)).comments,
              (std::vector<std::string>{"title= ", "ANDROID_LOOP=true", "ENCODER=chimewright"}));
}

TEST_F(AndroidTarget, FileErrors) {
    // A missing source: 7003 and no output.
    platform::deleteFile(right16k);
    EXPECT_EQ(write(block(opt::stereo16k)), 7003);
    EXPECT_FALSE(platform::fileExists(output));
    platform::deleteFile(mono32k);
    EXPECT_EQ(write(block(opt::rate32k4bit)), 7003);
    EXPECT_FALSE(platform::fileExists(output));

    // An output that cannot be created: a file stands where its folder should be.
    putFile(out / "Andr", "x");
    EXPECT_EQ(write(block(opt::rate16k)), 7003);
}

// A temporary file without samples still gives a valid stream, of the interval's length.
TEST_F(AndroidTarget, EmptySourceGivesAStreamOfTheInterval) {
    putFile(mono16k, tempWav({}));
    ASSERT_EQ(write(block(opt::rate16k), 250), 0);
    const auto decoded = decodeOgg(fileBytes(output));
    ASSERT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.samples, 4000);
}

// A temporary file is read up to 16 MiB; the interval still follows the part that was read.
TEST_F(AndroidTarget, LongSourceIsCutAt16MiBAndKeepsItsInterval) {
    const std::size_t samplesRead = (16u * 1024 * 1024 - 44) / 2;
    std::vector<std::int32_t> noise(samplesRead + 1000);
    std::uint32_t state = 1;
    for (auto& s : noise) {
        state = state * 1664525u + 1013904223u;
        s = static_cast<std::int32_t>(state >> 16) - 32768;
    }
    putFile(mono32k, tempWav(noise));
    ASSERT_EQ(write(block(opt::rate32k4bit), 100), 0);
    const std::string image = fileBytes(output);
    const auto pages = oggPages(image);
    ASSERT_FALSE(pages.empty());
    EXPECT_TRUE(pages.back().endOfStream);
    EXPECT_EQ(decodeOgg(image).samples, static_cast<long long>(samplesRead + 3200));
}

// The job's writer step reaches the Android writer with the working folder's files.
TEST_F(AndroidTarget, WriterStepWritesTheAndroidTarget) {
    cw::JobSettings settings;
    settings[cw::targetAndroid] = block(opt::rate16k);
    const cw::JobTexts texts{"bell", "bell", "", "(c)"};
    const cw::WriterContext context{settings, work.path(), texts, 500, 5900};
    ASSERT_EQ(cw::writeMfiAndAndroidTargets(context), 0);
    const auto decoded = decodeOgg(fileBytes(output));
    EXPECT_EQ(decoded.samples, static_cast<long long>(mono16kSamples + 8000));
    EXPECT_EQ(decoded.comments, (std::vector<std::string>{"title=bell", "Copyright=(c)",
                                                          "ANDROID_LOOP=true",
                                                          "ENCODER=chimewright"}));
}
