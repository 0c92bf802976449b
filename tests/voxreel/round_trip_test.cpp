// What chimewright writes, voxreel plays: every MFi target with every rate option, and the
// SMAF routes, rendered and compared with the temporary WAV file the voice was encoded from.
// A target whose writer is not part of this build is skipped with that reason.
#include "voxreel/player/ringtone_player.hpp"

#include "chimewright/driver/job.hpp"
#include "chimewright/driver/targets.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"
#include "tests/voxreel/correlation.hpp"
#include "tests/voxreel/ringtone_builder.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <ostream>

using namespace testing_support;
using namespace vx_test;
namespace opt = cw::option;

namespace {

// Which temporary file holds the sound a target encodes.
enum class Source { narrow8kHalved, mono8k, mono16k, mono32k, stereo8k, stereo16k };

struct RoundTrip {
    const char* name;
    int target;
    std::uint32_t flags;
    Source source;
    double floor;         // lowest correlation accepted
    double seconds = 1.2; // length of the input
    bool loop = false;
    const char* label = nullptr; // family part of the label, when checked
};

std::ostream& operator<<(std::ostream& out, const RoundTrip& c) { return out << c.name; }

// A stereo 32000-Hz input whose channels hold different tones over a little noise.
std::string makeInput(double seconds) {
    const double rate = 32000;
    const auto frames = static_cast<std::size_t>(seconds * rate);
    std::vector<std::int32_t> samples;
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        auto tone = [&](double a, double b, double c) {
            noise = noise * 1103515245u + 12345u;
            const double hiss = (static_cast<double>((noise >> 16) & 0x7FFF) / 32768.0 - 0.5) * 600;
            return 6000 * std::sin(2 * std::numbers::pi * a * t) +
                   5000 * std::sin(2 * std::numbers::pi * b * t) +
                   4000 * std::sin(2 * std::numbers::pi * c * t) + hiss;
        };
        samples.push_back(static_cast<std::int32_t>(tone(440, 1230, 2750)));
        samples.push_back(static_cast<std::int32_t>(tone(330, 990, 1870)));
    }
    WavSpec layout;
    layout.channels = 2;
    layout.rate = 32000;
    return makeWav(layout, samples);
}

platform::Path firstFileWithExtension(const platform::Path& folder, const std::string& extension) {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        if (it->path().extension() == extension) return it->path();
    return {};
}

std::vector<double> tempSamples(const platform::Path& path) {
    return toDoubles(testing_support::tempWavSamples(fileBytes(path)));
}

struct Rendered {
    bool played = false;
    voxreel::DisplayTexts texts;
    StereoWav wav;
};

Rendered renderFile(const platform::Path& file, const platform::Path& folder) {
    const std::string bytes = fileBytes(file);
    voxreel::SilentSoundOutput output;
    voxreel::VoiceRenderer renderer(output, folder);
    Rendered result;
    result.played = voxreel::playRingtoneBuffer(view(bytes), result.texts, renderer);
    result.wav = readStereoWav(fileBytes(renderer.fileName()));
    return result;
}

class MfiRoundTrip : public ::testing::TestWithParam<RoundTrip> {
protected:
    ScratchFolder work, out, renders;
    platform::Path startFolder = platform::currentFolder();

    void TearDown() override { platform::setCurrentFolder(startFolder); }
};

} // namespace

TEST_P(MfiRoundTrip, RenderingFollowsTheEncodedSound) {
    const RoundTrip& c = GetParam();
    putFile(work / "input.wav", makeInput(c.seconds));
    cw::JobRequest request;
    request.input = work / "input.wav";
    request.title = "Round";
    request.outputName = "round";
    request.outputFolder = out.path();
    request.workFolder = work.path();
    request.mfi.loop = c.loop ? 1 : 0;
    request.targets[static_cast<std::size_t>(c.target)] = {c.flags | opt::create, 1.0};
    ASSERT_EQ(cw::prepareJob(request), 0);

    const platform::Path mld = firstFileWithExtension(out.path(), ".mld");
    if (mld.empty()) GTEST_SKIP() << "no writer for this target in this build";

    const Rendered rendered = renderFile(mld, renders.path());
    ASSERT_TRUE(rendered.played);
    EXPECT_EQ(rendered.texts.title, "Round");
    if (c.label) {
        EXPECT_NE(rendered.texts.label.find(c.label), std::string::npos) << rendered.texts.label;
    }

    const bool stereo = c.source == Source::stereo8k || c.source == Source::stereo16k;
    std::vector<double> reference;
    switch (c.source) {
    case Source::narrow8kHalved: reference = everyOther(tempSamples(work / "_cwm4tmp.wav")); break;
    case Source::mono8k: reference = tempSamples(work / "_cwm8tmp.wav"); break;
    case Source::mono16k: reference = tempSamples(work / "_cwsmtmp.wav"); break;
    case Source::mono32k: reference = tempSamples(work / "_cwm32tmp.wav"); break;
    case Source::stereo8k: reference = tempSamples(work / "_cwmltmp.wav"); break;
    case Source::stereo16k: reference = tempSamples(work / "_cwhltmp.wav"); break;
    }
    ASSERT_FALSE(reference.empty());
    const int rate = c.source == Source::narrow8kHalved                                ? 4000
                     : c.source == Source::mono8k || c.source == Source::stereo8k      ? 8000
                     : c.source == Source::mono32k                                     ? 32000
                                                                                       : 16000;
    // 2-bit G.726 at "4kHz" is placed at 8000 Hz with the 8 kHz file as its source.
    EXPECT_EQ(rendered.wav.rate, static_cast<std::uint32_t>(rate));
    EXPECT_GT(rendered.wav.left.size(), static_cast<std::size_t>(rate / 2)) << "half a second at least";

    // Some forms start the voice a tick after the file's start.
    const std::ptrdiff_t start = firstSound(rendered.wav.left);
    EXPECT_LT(start, rate / 10) << "the voice starts within 0.1 s";
    const double left = bestCorrelation(rendered.wav.left, reference, 8, start);
    RecordProperty("correlation", std::to_string(left));
    std::printf("    [%s] correlation %.4f", c.name, left);
    EXPECT_GE(left, c.floor);
    if (stereo) {
        const std::vector<double> rightReference = tempSamples(
            work / (c.source == Source::stereo8k ? "_cwmrtmp.wav" : "_cwhrtmp.wav"));
        const double right = bestCorrelation(rendered.wav.right, rightReference, 8, start);
        const double crossed = bestCorrelation(rendered.wav.left, rightReference, 8, start);
        std::printf(", right %.4f, crossed %.4f", right, crossed);
        EXPECT_GE(right, c.floor);
        EXPECT_LT(crossed, 0.3) << "left and right must not mix";
    }
    std::printf("\n");
}

// Floors per family, a little below what was measured with this input (lowest of the family's
// cases): step ADPCM high nibble first (conditioned) 0.984, low nibble first 0.984, G.726 with
// 4-bit codes 0.997, with 2-bit codes 0.957 (at 8 kHz; 0.997 at 32 kHz), IMA ADPCM 0.990.
constexpr double stepFloor = 0.97, lowFloor = 0.97, g726Floor = 0.99, g726TwoBitFloor = 0.93,
                 imaFloor = 0.98;

INSTANTIATE_TEST_SUITE_P(
    EveryTarget, MfiRoundTrip,
    ::testing::Values(
        // Low-nibble families.
        RoundTrip{"n503_4k", cw::targetN503, opt::rate4k, Source::narrow8kHalved, lowFloor, 1.2, false, "N503"},
        RoundTrip{"n503_8k", cw::targetN503, opt::rate8k, Source::mono8k, lowFloor},
        RoundTrip{"n504_4k", cw::targetN504, opt::rate4k, Source::narrow8kHalved, lowFloor},
        RoundTrip{"n504_8k", cw::targetN504, opt::rate8k, Source::mono8k, lowFloor, 1.2, false, "N504"},
        RoundTrip{"n504_8kStereo", cw::targetN504, opt::stereo8k, Source::stereo8k, lowFloor},
        RoundTrip{"n504_16k", cw::targetN504, opt::rate16k, Source::mono16k, lowFloor},
        RoundTrip{"n505_8k", cw::targetN505, opt::rate8k, Source::mono8k, lowFloor},
        RoundTrip{"n505_16kStereo", cw::targetN505, opt::stereo16k, Source::stereo16k, lowFloor},
        RoundTrip{"n505_4k_loop", cw::targetN505, opt::rate4k, Source::narrow8kHalved, lowFloor, 1.2, true},
        RoundTrip{"f503_4k", cw::targetF503, opt::rate4k, Source::narrow8kHalved, lowFloor, 1.2, false, "F503"},
        RoundTrip{"f503_8k", cw::targetF503, opt::rate8k, Source::mono8k, lowFloor},
        RoundTrip{"so504_8k", cw::targetSo504, opt::rate8k, Source::mono8k, lowFloor, 1.2, false, "SO504"},
        RoundTrip{"so504_8kStereo", cw::targetSo504, opt::stereo8k, Source::stereo8k, lowFloor},
        RoundTrip{"so505_16k", cw::targetSo505, opt::rate16k, Source::mono16k, lowFloor},
        RoundTrip{"so505_4k", cw::targetSo505, opt::rate4k, Source::narrow8kHalved, lowFloor},
        // Conditioned step ADPCM: vendors 0x21, 0x41, 0x71 and the step "adat" form.
        RoundTrip{"f504_4k", cw::targetF504, opt::rate4k, Source::narrow8kHalved, stepFloor},
        RoundTrip{"f504_8k", cw::targetF504, opt::rate8k, Source::mono8k, stepFloor, 1.2, false, "F504"},
        RoundTrip{"f504_8k_block", cw::targetF504, opt::rate8k | opt::unlimited, Source::mono8k, stepFloor, 17.0},
        RoundTrip{"f505_8k", cw::targetF505, opt::rate8k, Source::mono8k, stepFloor},
        RoundTrip{"f505_16k_loop", cw::targetF505, opt::rate16k, Source::mono16k, stepFloor, 1.2, true},
        RoundTrip{"f505_8kStereo", cw::targetF505, opt::stereo8k, Source::stereo8k, stepFloor},
        RoundTrip{"f505_16kStereo", cw::targetF505, opt::stereo16k, Source::stereo16k, stepFloor},
        RoundTrip{"p211_4k", cw::targetP211, opt::rate4k, Source::narrow8kHalved, stepFloor, 1.2, false, "P504,P211"},
        RoundTrip{"p211_8k", cw::targetP211, opt::rate8k, Source::mono8k, stepFloor},
        RoundTrip{"p900_8k", cw::targetP900, opt::rate8k, Source::mono8k, stepFloor, 1.2, false, "P900"},
        RoundTrip{"p900_16k", cw::targetP900, opt::rate16k, Source::mono16k, stepFloor},
        RoundTrip{"p900_4k", cw::targetP900, opt::rate4k, Source::narrow8kHalved, stepFloor},
        RoundTrip{"p900_8kStereo", cw::targetP900, opt::stereo8k, Source::stereo8k, stepFloor},
        RoundTrip{"p900_16kStereo", cw::targetP900, opt::stereo16k, Source::stereo16k, stepFloor},
        RoundTrip{"sh251_4k", cw::targetSh251, opt::rate4k, Source::narrow8kHalved, stepFloor},
        RoundTrip{"sh251_8k", cw::targetSh251, opt::rate8k, Source::mono8k, stepFloor, 1.2, false, "SH505i,SH504,SH251"},
        RoundTrip{"sh251_8k_block", cw::targetSh251, opt::rate8k | opt::unlimited, Source::mono8k, stepFloor, 17.0},
        RoundTrip{"sh505_8k", cw::targetSh505, opt::rate8k, Source::mono8k, stepFloor},
        RoundTrip{"sh505_16k", cw::targetSh505, opt::rate16k, Source::mono16k, stepFloor},
        RoundTrip{"sh505_4k", cw::targetSh505, opt::rate4k, Source::narrow8kHalved, stepFloor},
        RoundTrip{"sa700_8k", cw::targetSa700, opt::rate8k, Source::mono8k, stepFloor, 1.2, false, "(1)"},
        RoundTrip{"sa700_16k_loop", cw::targetSa700, opt::rate16k, Source::mono16k, stepFloor, 1.2, true},
        RoundTrip{"sa700_4k", cw::targetSa700, opt::rate4k, Source::narrow8kHalved, stepFloor},
        RoundTrip{"sa700_8kStereo", cw::targetSa700, opt::stereo8k, Source::stereo8k, stepFloor},
        RoundTrip{"sa700_16kStereo", cw::targetSa700, opt::stereo16k, Source::stereo16k, stepFloor},
        // G.726 families.
        RoundTrip{"d211_8k", cw::targetD211, opt::rate8k, Source::mono8k, g726Floor, 1.2, false, "D505"},
        RoundTrip{"d211_4k", cw::targetD211, opt::rate4k, Source::mono8k, g726TwoBitFloor},
        RoundTrip{"d505_8k", cw::targetD505, opt::rate8k, Source::mono8k, g726Floor},
        RoundTrip{"d505_16k", cw::targetD505, opt::rate16k, Source::mono16k, g726Floor},
        RoundTrip{"d505_4k", cw::targetD505, opt::rate4k, Source::mono8k, g726TwoBitFloor},
        RoundTrip{"d505_8kStereo", cw::targetD505, opt::stereo8k, Source::stereo8k, g726Floor},
        RoundTrip{"d505_16kStereo", cw::targetD505, opt::stereo16k, Source::stereo16k, g726Floor},
        RoundTrip{"d505_32k2bit", cw::targetD505, opt::rate32k2bit, Source::mono32k, g726TwoBitFloor},
        RoundTrip{"d505_32k4bit_loop", cw::targetD505, opt::rate32k4bit, Source::mono32k, g726Floor, 1.2, true},
        RoundTrip{"p505_8k", cw::targetP505, opt::rate8k, Source::mono8k, g726Floor, 1.2, false, "P505,P252"},
        RoundTrip{"p505_4k", cw::targetP505, opt::rate4k, Source::mono8k, g726TwoBitFloor},
        RoundTrip{"p505_16k", cw::targetP505, opt::rate16k, Source::mono16k, g726Floor},
        RoundTrip{"p505_32k2bit", cw::targetP505, opt::rate32k2bit, Source::mono32k, g726TwoBitFloor},
        RoundTrip{"p505_32k4bit_blocks", cw::targetP505, opt::rate32k4bit | opt::unlimited, Source::mono32k, g726Floor, 5.0},
        RoundTrip{"p505_8kStereo", cw::targetP505, opt::stereo8k, Source::stereo8k, g726Floor},
        RoundTrip{"p505_16kStereo_loop", cw::targetP505, opt::stereo16k, Source::stereo16k, g726Floor, 1.2, true},
        RoundTrip{"sh252_8k", cw::targetSh252, opt::rate8k, Source::mono8k, g726Floor, 1.2, false, "SH505iS,SH252"},
        RoundTrip{"sh252_4k", cw::targetSh252, opt::rate4k, Source::mono8k, g726TwoBitFloor},
        RoundTrip{"sh252_32k4bit", cw::targetSh252, opt::rate32k4bit, Source::mono32k, g726Floor},
        RoundTrip{"sh252_8kStereo", cw::targetSh252, opt::stereo8k, Source::stereo8k, g726Floor},
        RoundTrip{"sh252_16kStereo", cw::targetSh252, opt::stereo16k, Source::stereo16k, g726Floor},
        RoundTrip{"so505is_16k", cw::targetSo505is, opt::rate16k, Source::mono16k, g726Floor, 1.2, false, "SO505iS"},
        RoundTrip{"so505is_4k", cw::targetSo505is, opt::rate4k, Source::mono8k, g726TwoBitFloor},
        RoundTrip{"so505is_32k2bit", cw::targetSo505is, opt::rate32k2bit, Source::mono32k, g726TwoBitFloor},
        RoundTrip{"so505is_8kStereo", cw::targetSo505is, opt::stereo8k, Source::stereo8k, g726Floor},
        RoundTrip{"so505is_16kStereo", cw::targetSo505is, opt::stereo16k, Source::stereo16k, g726Floor},
        RoundTrip{"sa702_8k", cw::targetSa702, opt::rate8k, Source::mono8k, g726Floor, 1.2, false, "(2)"},
        RoundTrip{"sa702_4k", cw::targetSa702, opt::rate4k, Source::mono8k, g726TwoBitFloor},
        RoundTrip{"sa702_16k", cw::targetSa702, opt::rate16k, Source::mono16k, g726Floor},
        RoundTrip{"sa702_32k2bit", cw::targetSa702, opt::rate32k2bit, Source::mono32k, g726TwoBitFloor},
        RoundTrip{"sa702_32k4bit", cw::targetSa702, opt::rate32k4bit, Source::mono32k, g726Floor},
        RoundTrip{"sa702_8kStereo", cw::targetSa702, opt::stereo8k, Source::stereo8k, g726Floor},
        RoundTrip{"sa702_16kStereo", cw::targetSa702, opt::stereo16k, Source::stereo16k, g726Floor},
        RoundTrip{"p903_8k", cw::targetP903, opt::rate8k, Source::mono8k, g726Floor, 1.2, false, "(2)"},
        RoundTrip{"p903_4k_loop", cw::targetP903, opt::rate4k, Source::mono8k, g726TwoBitFloor, 1.2, true},
        RoundTrip{"p903_32k2bit", cw::targetP903, opt::rate32k2bit, Source::mono32k, g726TwoBitFloor},
        RoundTrip{"p903_32k4bit", cw::targetP903, opt::rate32k4bit, Source::mono32k, g726Floor},
        RoundTrip{"p903_16kStereo", cw::targetP903, opt::stereo16k, Source::stereo16k, g726Floor},
        // IMA families.
        RoundTrip{"l600_8k", cw::targetL600, opt::rate8k, Source::mono8k, imaFloor, 1.2, false, "L600"},
        RoundTrip{"l600_16k_blocks", cw::targetL600, opt::rate16k | opt::unlimited, Source::mono16k, imaFloor, 9.0},
        RoundTrip{"n600_8k", cw::targetN600, opt::rate8k, Source::mono8k, imaFloor, 1.2, false, "N600"},
        RoundTrip{"n600_16k_loop", cw::targetN600, opt::rate16k, Source::mono16k, imaFloor, 1.2, true},
        RoundTrip{"m702_8k", cw::targetM702, opt::rate8k, Source::mono8k, imaFloor},
        RoundTrip{"m702_16k", cw::targetM702, opt::rate16k, Source::mono16k, imaFloor}),
    [](const ::testing::TestParamInfo<RoundTrip>& info) { return std::string(info.param.name); });
