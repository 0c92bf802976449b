// The written files as independent decoders read them: ffmpeg, oggdec and vorbiscomment.
#include "chimewright/driver/android_target.hpp"
#include "chimewright/driver/ogg_encoder.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#ifndef _WIN32
#include <sys/wait.h>
#endif

using namespace testing_support;
namespace opt = cw::option;

namespace {

#ifndef _WIN32
std::string quoted(const platform::Path& path) {
    std::string text = path.string();
    text.insert(text.begin(), '\'');
    text.push_back('\'');
    return text;
}

// Runs a shell command with its output and errors in files; its exit status.
int run(const std::string& command, const platform::Path& output, const platform::Path& errors) {
    const int status = std::system((command + " >" + quoted(output) + " 2>" + quoted(errors)).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool haveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}
#endif

} // namespace

TEST(OggTools, WrittenFilesDecodeWithFfmpegAndOggdec) {
#ifdef _WIN32
    GTEST_SKIP() << "ffmpeg, oggdec and vorbiscomment are Linux tools; under Wine the streams "
                    "are checked with libvorbis's own decoder (EncodeOgg, AndroidTarget)";
#else
    for (const char* tool : {"ffmpeg", "ffprobe", "oggdec", "vorbiscomment"})
        ASSERT_TRUE(haveTool(tool)) << tool << " is missing (packages ffmpeg, vorbis-tools)";

    ScratchFolder work;
    const auto mono16k = work / "_cwsmtmp.wav", mono32k = work / "_cwm32tmp.wav";
    const auto left16k = work / "_cwhltmp.wav", right16k = work / "_cwhrtmp.wav";
    putFile(mono16k, makeWav({}, sineWave(440, 16000, 12345, 12000)));
    putFile(mono32k, makeWav({}, sineWave(440, 32000, 24000, 12000)));
    putFile(left16k, makeWav({}, sineWave(440, 16000, 10000, 12000)));
    putFile(right16k, makeWav({}, sineWave(660, 16000, 10000, 12000)));

    struct Case {
        const char* name;
        std::uint32_t flags;
        int intervalMs;
        const char* copyright;
        int rate;
        int channels;
        long long samples;
        std::vector<std::string> comments;
    };
    const Case cases[] = {
        {"16kHz, 500 ms", opt::rate16k, 500, "(c) chime", 16000, 1, 12345 + 8000,
         {"title=bell", "Copyright=(c) chime", "ANDROID_LOOP=true", "ENCODER=chimewright"}},
        {"16kStereo, 500 ms", opt::stereo16k, 500, "", 16000, 2, 10000 + 8000,
         {"title=bell", "ANDROID_LOOP=true", "ENCODER=chimewright"}},
        {"32kHz(4bit)", opt::rate32k4bit, 0, "", 32000, 1, 24000,
         {"title=bell", "ANDROID_LOOP=true", "ENCODER=chimewright"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cw::TargetBlock block = cw::makeTargetBlock(c.flags | opt::create, 1.0, 1, 0);
        block.enabled = 1;
        block.outputPath = work / "Andr" / "bell.ogg";
        ASSERT_EQ(cw::writeAndroidTarget(mono16k, mono32k, left16k, right16k, block, "bell",
                                         c.copyright, c.intervalMs),
                  0);
        const auto ogg = quoted(block.outputPath);
        const auto out = work / "out", err = work / "err", raw = work / "pcm.raw";
        const auto bytes = static_cast<std::size_t>(c.samples * c.channels * 2);

        // ffprobe takes the length from the last page's granule position; ffmpeg's decoder
        // trims neither the first block's overlap nor the last page exactly, so its sample
        // count may differ by up to a long block.
        ASSERT_EQ(run("ffprobe -v error -show_entries stream=codec_name,sample_rate,channels,"
                      "start_pts,duration_ts -of default=noprint_wrappers=1 " + ogg, out, err), 0)
            << fileBytes(err);
        EXPECT_EQ(lines(fileBytes(out)),
                  (std::vector<std::string>{"codec_name=vorbis",
                                            "sample_rate=" + std::to_string(c.rate),
                                            "channels=" + std::to_string(c.channels),
                                            "start_pts=0",
                                            "duration_ts=" + std::to_string(c.samples)}));

        ASSERT_EQ(run("ffmpeg -nostdin -v error -y -i " + ogg + " -f s16le " + quoted(raw), out, err), 0)
            << fileBytes(err);
        EXPECT_EQ(fileBytes(err), "");
        const auto decoded = static_cast<long long>(fileBytes(raw).size() / 2 / c.channels);
        EXPECT_NEAR(static_cast<double>(decoded), static_cast<double>(c.samples), 2048);

        platform::deleteFile(raw);
        ASSERT_EQ(run("oggdec -Q -R -o " + quoted(raw) + " " + ogg, out, err), 0) << fileBytes(err);
        EXPECT_EQ(fileBytes(raw).size(), bytes);

        ASSERT_EQ(run("vorbiscomment -l -R " + ogg, out, err), 0) << fileBytes(err);
        EXPECT_EQ(lines(fileBytes(out)), c.comments);
    }
#endif
}

// libvorbis quality 0.1 is oggenc's "-q 1": the same samples must give the same audio.
TEST(OggTools, AudioMatchesTheReferenceEncoderAtTheSameQuality) {
#ifdef _WIN32
    GTEST_SKIP() << "oggenc and oggdec are Linux tools; tests/wine/compare_android_ogg.sh checks "
                    "the Windows build's audio against them";
#else
    for (const char* tool : {"oggenc", "oggdec"})
        ASSERT_TRUE(haveTool(tool)) << tool << " is missing (package vorbis-tools)";
    ScratchFolder work;
    struct Case { int rate; unsigned channels; };
    for (const Case c : {Case{16000, 1}, Case{32000, 1}, Case{16000, 2}}) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " ch");
        const auto left = sineWave(523.25, c.rate, 20000, 9000);
        const auto right = sineWave(659.25, c.rate, 20000, 7000);
        std::vector<std::int32_t> interleaved;
        std::string leftBytes, rightBytes;
        for (std::size_t i = 0; i < left.size(); ++i) {
            interleaved.push_back(left[i]);
            if (c.channels == 2) interleaved.push_back(right[i]);
            for (auto [v, bytes] : {std::pair{left[i], &leftBytes}, std::pair{right[i], &rightBytes}}) {
                bytes->push_back(static_cast<char>(v & 0xFF));
                bytes->push_back(static_cast<char>((v >> 8) & 0xFF));
            }
        }
        WavSpec layout;
        layout.channels = static_cast<std::uint16_t>(c.channels);
        layout.rate = static_cast<std::uint32_t>(c.rate);
        putFile(work / "in.wav", makeWav(layout, interleaved));

        std::vector<std::uint8_t> ours;
        ASSERT_GT(cw::encodeOgg(ours, reinterpret_cast<const std::uint8_t*>(leftBytes.data()),
                                reinterpret_cast<const std::uint8_t*>(rightBytes.data()),
                                leftBytes.size(), 1, c.rate, static_cast<int>(c.channels), "t", ""),
                  0u);
        putFile(work / "ours.ogg", std::string(ours.begin(), ours.end()));

        const auto out = work / "out", err = work / "err";
        ASSERT_EQ(run("oggenc -Q -q 1 -o " + quoted(work / "ref.ogg") + " " + quoted(work / "in.wav"), out, err), 0)
            << fileBytes(err);
        ASSERT_EQ(run("oggdec -Q -R -o " + quoted(work / "ref.raw") + " " + quoted(work / "ref.ogg"), out, err), 0);
        ASSERT_EQ(run("oggdec -Q -R -o " + quoted(work / "ours.raw") + " " + quoted(work / "ours.ogg"), out, err), 0);
        const std::string reference = fileBytes(work / "ref.raw");
        EXPECT_EQ(reference.size(), left.size() * c.channels * 2);
        EXPECT_TRUE(fileBytes(work / "ours.raw") == reference);
    }
#endif
}
