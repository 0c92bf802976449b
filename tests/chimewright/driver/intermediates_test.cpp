#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/job/temp_files.hpp"
#include "chimewright/job/temp_names.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

#include <optional>

using namespace testing_support;

namespace {

const char* const everyTempFile[] = {"_cwmtmp.wav",  "_cwmltmp.wav", "_cwmrtmp.wav",
                                     "_cwsmtmp.wav", "_cwhltmp.wav", "_cwhrtmp.wav",
                                     "_cwm4tmp.wav", "_cwm8tmp.wav", "_cwm32tmp.wav"};

// The readers one after another, each output copied to its role name: how the temporary
// files were made before the renders of one input shared their work.
int renderOneByOne(const platform::Path& input, double level, const platform::Path& work) {
    using namespace cw;
    const auto copy = [&work](std::string_view from, const char* to) {
        copyTempFile(work, from, tempPath(work, to));
    };
    int code = 0;
    if ((code = readWavToTemp8k(input, level, 0, channelLeft, work))) return code;
    copy(tempfile::latest8k, "_cwmltmp.wav");
    if ((code = readWavToTemp8k(input, level, 0, channelRight, work))) return code;
    copy(tempfile::latest8k, "_cwmrtmp.wav");
    if ((code = readWavToTemp16k(input, level, channelLeft, work))) return code;
    copy(tempfile::latest16k, "_cwhltmp.wav");
    if ((code = readWavToTemp16k(input, level, channelRight, work))) return code;
    copy(tempfile::latest16k, "_cwhrtmp.wav");
    if ((code = readWavToTemp8k(input, level, 1, channelMix, work))) return code;
    copy(tempfile::latest8k, "_cwm4tmp.wav");
    if ((code = readWavToTemp8k(input, level, 0, channelMix, work))) return code;
    copy(tempfile::latest8k, "_cwm8tmp.wav");
    if ((code = readWavToTemp16k(input, level, channelMix, work))) return code;
    return readWavToTemp32k(input, level, work);
}

// Different sounds in the two channels (a mix, a left and a right source that differ).
std::vector<std::int32_t> twoTones(const WavSpec& layout, std::size_t frames) {
    const double amplitude = layout.bits == 8 ? 90.0 : 9000.0;
    const auto left = sineWave(440.0, layout.rate, frames, amplitude);
    const auto right = sineWave(1250.0, layout.rate, frames, amplitude / 2);
    std::vector<std::int32_t> interleaved;
    for (std::size_t i = 0; i < frames; ++i) {
        interleaved.push_back(left[i]);
        if (layout.channels > 1) interleaved.push_back(right[i]);
    }
    return interleaved;
}

struct SharedRenderCase {
    const char* name;
    WavSpec layout;
    double level;
};

class SharedRenders : public testing::TestWithParam<SharedRenderCase> {};

} // namespace

// Renders that share the file read and the forward transform write the bytes of renders
// made one by one: stereo (three channel sources), mono (one source for every channel
// choice, and the 8 kHz fast path), and rates below a target (the doubled sound is a group
// of its own).
TEST_P(SharedRenders, WriteTheBytesOfRendersMadeOneByOne) {
    const SharedRenderCase& c = GetParam();
    ScratchFolder dir;
    const platform::Path input = dir / "in.wav";
    putFile(input, makeWav(c.layout, twoTones(c.layout, 3000)));
    const platform::Path oneByOne = dir / "one_by_one";
    const platform::Path shared = dir / "shared";
    ASSERT_TRUE(platform::createFolder(oneByOne));
    ASSERT_TRUE(platform::createFolder(shared));
    ASSERT_EQ(renderOneByOne(input, c.level, oneByOne), 0);
    ASSERT_EQ(cw::renderIntermediates(input, {true, true, true, true, true, true}, c.level, shared),
              0);
    for (const char* name : everyTempFile) {
        const std::string expected = fileBytes(oneByOne / name);
        ASSERT_GT(expected.size(), 44u) << name;
        EXPECT_TRUE(fileBytes(shared / name) == expected) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, SharedRenders,
    testing::Values(SharedRenderCase{"stereo22050", {1, 2, 22050, 16, ""}, 0.9},
                    SharedRenderCase{"stereo22050NormOff", {1, 2, 22050, 16, ""}, -1.0},
                    SharedRenderCase{"mono8000", {1, 1, 8000, 16, ""}, 0.9},
                    SharedRenderCase{"eightBitStereo6000", {1, 2, 6000, 8, ""}, 0.5}),
    [](const testing::TestParamInfo<SharedRenderCase>& info) { return info.param.name; });

namespace {

using cw::TempWav;

// Which render each temporary file holds once the job's renders are made, above all the
// readers' own files, which every render of their rate overwrites in turn.
struct LatestCase {
    const char* name;
    cw::Intermediates need;
    std::optional<TempWav> latest8k;
    std::optional<TempWav> latest16k;
};

// {stereo8k, stereo16k, narrow8k, mono8k, mono16k, mono32k}
const LatestCase latestCases[] = {
    {"nothing", {}, std::nullopt, std::nullopt},
    {"onlyWide", {false, true, false, false, true, true}, std::nullopt, TempWav::mono16k},
    {"stereo", {true, true, false, false, false, false}, TempWav::right8k, TempWav::right16k},
    {"narrowAfterStereo", {true, false, true, false, false, false}, TempWav::narrow8k,
     std::nullopt},
    {"monoAfterNarrow", {false, false, true, true, false, false}, TempWav::mono8k, std::nullopt},
    {"every", {true, true, true, true, true, true}, TempWav::mono8k, TempWav::mono16k},
};

TEST(TempWavSet, EachReadersFileHoldsTheLastRenderOfItsRate) {
    for (const LatestCase& c : latestCases) {
        const cw::TempWavSet set = cw::tempWavSet(c.need, "work");
        EXPECT_EQ(set.latest8k, c.latest8k) << c.name;
        EXPECT_EQ(set.latest16k, c.latest16k) << c.name;
        EXPECT_EQ(set.has(TempWav::left8k), c.need.stereo8k) << c.name;
        EXPECT_EQ(set.has(TempWav::right16k), c.need.stereo16k) << c.name;
        EXPECT_EQ(set.has(TempWav::narrow8k), c.need.narrow8k) << c.name;
        EXPECT_EQ(set.has(TempWav::mono8k), c.need.mono8k) << c.name;
        EXPECT_EQ(set.has(TempWav::mono32k), c.need.mono32k) << c.name;
    }
}

TEST(TempWavSet, NamesTheFilesOnDisk) {
    const cw::TempWavSet set{"work"};
    EXPECT_EQ(set.latest8kPath(), platform::Path("work") / "_cwmtmp.wav");
    EXPECT_EQ(set.path(TempWav::narrow8k), platform::Path("work") / "_cwm4tmp.wav");
    EXPECT_EQ(set.path(TempWav::mono16k), platform::Path("work") / "_cwsmtmp.wav");
}

// What the set says is what the folder holds: the reader's file has the bytes of the render
// named latest, not those of the 8 kHz render before it.
TEST(TempWavSet, Latest8kIsTheFileTheRenderLeft) {
    ScratchFolder dir;
    const platform::Path input = dir / "in.wav";
    const WavSpec stereo{1, 2, 22050, 16, ""};
    putFile(input, makeWav(stereo, twoTones(stereo, 3000)));
    const cw::Intermediates need{true, false, true, false, false, false};
    ASSERT_EQ(cw::renderIntermediates(input, need, 0.9, dir.path()), 0);
    const cw::TempWavSet set = cw::tempWavSet(need, dir.path());
    ASSERT_EQ(set.latest8k, TempWav::narrow8k);
    const std::string latest = fileBytes(set.latest8kPath());
    EXPECT_EQ(latest, fileBytes(set.path(*set.latest8k)));
    EXPECT_NE(latest, fileBytes(set.path(TempWav::right8k)));
}

} // namespace
