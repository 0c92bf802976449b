// SMAF files of every route voxreel meets: chimewright's 16 kHz stream file, tarnwick's audio
// track files, and files written by ffmpeg's mmf muxer.
#include "voxreel/player/ringtone_player.hpp"

#include "chimewright/driver/job.hpp"
#include "tarnwick/engine/audio_smaf_writer.hpp"
#include "tarnwick/engine/wave_encoder.hpp"
#include "tests/shared/ffmpeg_tool.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"
#include "tests/voxreel/correlation.hpp"
#include "tests/voxreel/ringtone_builder.hpp"

#include "platform/text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

using namespace testing_support;
using namespace vx_test;

namespace {

std::vector<std::int32_t> tones(double rate, double seconds) {
    std::vector<std::int32_t> samples;
    const auto count = static_cast<std::size_t>(rate * seconds);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        samples.push_back(static_cast<std::int32_t>(7000 * std::sin(2 * std::numbers::pi * 350 * t) +
                                                    5000 * std::sin(2 * std::numbers::pi * 1100 * t) +
                                                    3000 * std::sin(2 * std::numbers::pi * 1750 * t)));
    }
    return samples;
}

std::vector<double> asDoubles(const std::vector<std::int32_t>& samples) {
    return std::vector<double>(samples.begin(), samples.end());
}

struct Played {
    bool played = false;
    voxreel::DisplayTexts texts;
    StereoWav wav;
};

Played play(const std::string& bytes, const platform::Path& folder) {
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer(output, folder);
    Played result;
    result.played = voxreel::playRingtoneBuffer(view(bytes), result.texts, renderer);
    result.wav = readStereoWav(fileBytes(renderer.fileName()));
    return result;
}

} // namespace

TEST(SmafRoundTrip, StreamFileOfTheSixteenKilohertzRoute) {
    ScratchFolder work, out, renders;
    const platform::Path startFolder = platform::currentFolder();
    WavSpec layout;
    layout.rate = 32000;
    putFile(work / "input.wav", makeWav(layout, tones(32000, 1.5)));
    // The SMAF target runs only when tarnwick sits in the working folder; this route does
    // not start it.
    putFile(work / "tarnwick", "");
    putFile(work / "tarnwick.exe", "");
    cw::JobRequest request;
    request.input = work / "input.wav";
    request.title = "Stream";
    request.outputName = "stream";
    request.outputFolder = out.path();
    request.workFolder = work.path();
    request.targets[cw::targetSmaf] = {cw::option::create | cw::option::rate16k | cw::option::unlimited, 1.0};
    const int code = cw::prepareJob(request);
    platform::setCurrentFolder(startFolder);
    ASSERT_EQ(code, 0);
    const platform::Path mmf = out / "mmf" / "stream.mmf";
    if (!platform::fileExists(mmf)) GTEST_SKIP() << "no 16 kHz SMAF route in this build";

    const Played played = play(fileBytes(mmf), renders.path());
    ASSERT_TRUE(played.played);
    EXPECT_EQ(played.texts.title, "Stream");
    EXPECT_EQ(played.texts.label, "MMF / 16000[Hz]");
    EXPECT_EQ(played.wav.rate, 16000u);
    const auto reference = toDoubles(tempWavSamples(fileBytes(work / "_cwsmtmp.wav")));
    const double correlation = bestCorrelation(played.wav.left, reference);
    std::printf("    [stream 16 kHz] correlation %.4f\n", correlation);
    EXPECT_GE(correlation, 0.97);
}

TEST(SmafRoundTrip, TarnwickAudioTrackFiles) {
    struct Case {
        const char* name;
        unsigned rate;
        int mode;
        int expectedRate;
        bool halved;
    };
    const Case cases[] = {
        {"8 kHz", 8000, tarnwick::rateMode8k, 8000, false},
        {"8 kHz written at 4 kHz", 8000, tarnwick::rateModeHalved, 4000, true},
        {"4 kHz source", 4000, tarnwick::rateMode4kSource, 4000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder renders;
        WavSpec layout;
        layout.rate = c.rate;
        const auto samples = tones(c.rate, 1.5);
        const std::string wav = makeWav(layout, samples);
        tarnwick::WaveInfo info;
        ASSERT_GE(tarnwick::checkWave(view(wav), info), 0);
        tarnwick::ContentsInfo contents;
        contents.title = platform::utf8ToCp932("着信");
        contents.copyright = "Me";
        const auto file = tarnwick::writeAudioSmaf(contents, view(wav), info, c.mode);

        const Played played = play(std::string(file.begin(), file.end()), renders.path());
        ASSERT_TRUE(played.played);
        EXPECT_EQ(played.texts.title, contents.title);
        EXPECT_EQ(played.texts.copyright, "Me");
        EXPECT_EQ(played.texts.label, "MMF / " + std::to_string(c.expectedRate) + "[Hz]");
        EXPECT_EQ(played.wav.rate, static_cast<std::uint32_t>(c.expectedRate));
        const auto reference = c.halved ? everyOther(asDoubles(samples)) : asDoubles(samples);
        const double correlation = bestCorrelation(played.wav.left, reference);
        std::printf("    [tarnwick %s] correlation %.4f\n", c.name, correlation);
        EXPECT_GE(correlation, 0.97);
    }
}

TEST(SmafRoundTrip, FilesOfFfmpegsMuxer) {
    SKIP_UNLESS_FFMPEG();
    for (unsigned rate : {8000u, 4000u, 22050u}) {
        SCOPED_TRACE(rate);
        ScratchFolder folder;
        WavSpec layout;
        layout.rate = rate;
        const auto samples = tones(rate, 1.5);
        putFile(folder / "in.wav", makeWav(layout, samples));
        ASSERT_TRUE(codec_test::runFfmpeg("-i " + codec_test::quoted((folder / "in.wav").string()) +
                                          " -c:a adpcm_yamaha " +
                                          codec_test::quoted((folder / "out.mmf").string())));
        const Played played = play(fileBytes(folder / "out.mmf"), folder.path());
        ASSERT_TRUE(played.played);
        EXPECT_EQ(played.texts.label, "MMF / " + std::to_string(rate) + "[Hz]");
        EXPECT_EQ(played.wav.rate, rate);
        const double correlation = bestCorrelation(played.wav.left, asDoubles(samples));
        std::printf("    [ffmpeg %u Hz] correlation %.4f\n", rate, correlation);
        EXPECT_GE(correlation, 0.95);
    }
}
