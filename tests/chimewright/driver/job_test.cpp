#include "chimewright/driver/intermediates.hpp"
#include "chimewright/driver/job.hpp"
#include "chimewright/job/temp_files.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace testing_support;
namespace opt = cw::option;

namespace {

cw::JobSettings jobWith(std::initializer_list<std::pair<int, std::uint32_t>> enabled) {
    cw::JobSettings settings;
    for (auto [target, flags] : enabled)
        settings[static_cast<std::size_t>(target)] =
            cw::makeTargetBlock(flags | opt::create, 1.0, 0, 0);
    return settings;
}

struct Made {
    bool stereo8k, stereo16k, narrow8k, mono8k, mono16k, mono32k;
};

bool operator==(const cw::Intermediates& a, const Made& b) {
    return a.stereo8k == b.stereo8k && a.stereo16k == b.stereo16k && a.narrow8k == b.narrow8k &&
           a.mono8k == b.mono8k && a.mono16k == b.mono16k && a.mono32k == b.mono32k;
}

} // namespace

TEST(Intermediates, EachOptionAsksForItsFiles) {
    struct Case { const char* name; cw::JobSettings settings; Made made; };
    const Case cases[] = {
        {"nothing enabled", jobWith({}), {}},
        {"disabled target", [] { auto s = jobWith({}); s[3] = cw::makeTargetBlock(opt::rate16k, 1, 0, 0); return s; }(), {}},
        {"n505 16kStereo", jobWith({{cw::targetN505, opt::stereo16k}}), {false, true, false, false, false, false}},
        {"f505 8kStereo", jobWith({{cw::targetF505, opt::stereo8k}}), {true, false, false, false, false, false}},
        {"hidden 8kStereo bit", jobWith({{cw::targetF505, opt::stereo8kAlt}}), {true, false, false, false, false, false}},
        {"p211 4kHz", jobWith({{cw::targetP211, opt::rate4k}}), {false, false, true, false, false, false}},
        {"G.726 4kHz reads 8 kHz", jobWith({{cw::targetD505, opt::rate4k}}), {false, false, false, true, false, false}},
        {"QCP alone", jobWith({{cw::targetQcp, 0}}), {false, false, false, true, false, false}},
        {"SMAF 4kHz", jobWith({{cw::targetSmaf, opt::rate4k}}), {false, false, true, false, false, false}},
        {"SMAF 16kHz", jobWith({{cw::targetSmaf, opt::rate16k}}), {false, false, false, false, true, false}},
        {"SMAF stereo asks nothing", jobWith({{cw::targetSmaf, opt::stereo8k}}), {}},
        {"p903 32kHz(4bit)", jobWith({{cw::targetP903, opt::rate32k4bit}}), {false, false, false, false, false, true}},
        {"Android 32kHz(2bit)", jobWith({{cw::targetAndroid, opt::rate32k2bit}}), {false, false, false, false, false, true}},
        {"fresh settings", jobWith({{cw::targetP903, opt::unlimited | opt::rate16k}, {cw::targetAndroid, opt::unlimited | opt::rate32k4bit}}), {false, false, false, false, true, true}},
    };
    for (const Case& c : cases) EXPECT_TRUE(cw::neededIntermediates(c.settings) == c.made) << c.name;
}

namespace {

class ConvertFile : public ::testing::Test {
protected:
    ScratchFolder work;
    ScratchFolder out;
    platform::Path input = work / "bell.wav";
    cw::JobTexts texts{"bell", "bell", "", ""};

    void SetUp() override {
        WavSpec layout; layout.channels = 2; layout.rate = 22050;
        putFile(input, makeWav(layout, sineWave(700, 22050, 22050, 8000, 2)));
    }
    int convert(cw::JobSettings settings) {
        // Enabled targets write their files, so each needs somewhere to put them.
        for (int t = 0; t < cw::targetCount; ++t)
            settings[static_cast<std::size_t>(t)].outputPath = cw::targetOutputPath(out.path(), t, "bell");
        return cw::convertFile(input, settings, work.path(), texts, 1.0, 0, 5900);
    }
    bool made(const char* name) { return platform::fileExists(work / name); }
};

} // namespace

TEST_F(ConvertFile, RendersTheFilesTheTargetsNeed) {
    ASSERT_EQ(convert(jobWith({{cw::targetN505, opt::stereo16k}, {cw::targetP211, opt::rate4k},
                               {cw::targetF504, opt::rate8k}})), 1);
    for (const char* name : {"_cwhltmp.wav", "_cwhrtmp.wav", "_cwm4tmp.wav", "_cwm8tmp.wav",
                             "_cwsmtmp.wav", "_cwmtmp.wav"})
        EXPECT_TRUE(made(name)) << name;
    for (const char* name : {"_cwmltmp.wav", "_cwmrtmp.wav", "_cwm32tmp.wav"})
        EXPECT_FALSE(made(name)) << name;
    // The last 8 kHz file made is the normal-band mono one.
    EXPECT_EQ(fileBytes(work / "_cwmtmp.wav"), fileBytes(work / "_cwm8tmp.wav"));
    EXPECT_NE(fileBytes(work / "_cwmtmp.wav"), fileBytes(work / "_cwm4tmp.wav"));
    // The 16 kHz left and right files differ from each other only if the channels do.
    EXPECT_EQ(fileBytes(work / "_cwhltmp.wav"), fileBytes(work / "_cwhrtmp.wav"));
}

TEST_F(ConvertFile, DeletesLeftoversOfTheLastConversion) {
    for (const char* name : {"_cwm32tmp.wav", "_cwmltmp.wav", "_cwmtmp.qcp", "SAMPLE.MID"})
        putFile(work / name, "old");
    ASSERT_EQ(convert(jobWith({{cw::targetQcp, 0}})), 1);
    for (const char* name : {"_cwm32tmp.wav", "_cwmltmp.wav", "_cwmtmp.qcp", "SAMPLE.MID"})
        EXPECT_FALSE(made(name)) << name;
    EXPECT_TRUE(made("_cwm8tmp.wav"));
}

TEST_F(ConvertFile, InputFailuresEndTheConversion) {
    // Format tag 2 goes to the decoder; without its ADPCM parameters no codec accepts it.
    WavSpec adpcm; adpcm.formatTag = 2;
    putFile(input, makeWav(adpcm, {1, 2, 3, 4}));
    EXPECT_EQ(convert(jobWith({{cw::targetQcp, 0}})), 2016);
    std::string avi = makeWav({}, {1, 2, 3});
    avi.replace(8, 8, "AVI LIST");
    putFile(input, avi);
    EXPECT_EQ(convert(jobWith({{cw::targetQcp, 0}})), 1010);
    WavSpec wide; wide.bits = 24;
    putFile(input, makeWav(wide, {1, 2, 3}));
    EXPECT_EQ(convert(jobWith({{cw::targetQcp, 0}})), 3008);
}

TEST(PrepareJob, ReportsSuccessWithoutTarnwickAndWritesNoSmafFile) {
    ScratchFolder work, out;
    putFile(work / "bell.wav", makeWav({}, sineWave(440, 8000, 4000, 5000)));
    cw::JobRequest request;
    request.input = work / "bell.wav";
    request.outputName = "bell";
    request.outputFolder = out.path();
    request.workFolder = work.path();
    request.level = 1.0;
    request.targets[cw::targetSmaf].flags = opt::create | opt::rate16k;
    EXPECT_EQ(cw::prepareJob(request), 0);
    EXPECT_FALSE(platform::fileExists(out.path() / "mmf" / "bell.mmf"));
    EXPECT_TRUE(platform::fileExists(work / "_cwsmtmp.wav"));
}

TEST(TargetPaths, OneFolderPerTarget) {
    const platform::Path out("D");
    EXPECT_EQ(cw::targetOutputPath(out, cw::targetSmaf, "bell"), out / "mmf" / "bell.mmf");
    EXPECT_EQ(cw::targetOutputPath(out, cw::targetSo505is, "bell"), out / "so505is" / "bell.mld");
    EXPECT_EQ(cw::targetOutputPath(out, cw::targetQcp, "bell"), out / "qcp" / "bell.qcp");
    EXPECT_EQ(cw::targetOutputPath(out, cw::targetAndroid, "bell"), out / "Andr" / "bell.ogg");
}
