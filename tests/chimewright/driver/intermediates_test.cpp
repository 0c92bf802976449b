#include "chimewright/audio/wav_reader.hpp"
#include "chimewright/driver/intermediates.hpp"
#include "chimewright/job/temp_files.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const char* const everyTempFile[] = {"_cwmtmp.wav",  "_cwmltmp.wav", "_cwmrtmp.wav",
                                     "_cwsmtmp.wav", "_cwhltmp.wav", "_cwhrtmp.wav",
                                     "_cwm4tmp.wav", "_cwm8tmp.wav", "_cwm32tmp.wav"};

// The readers one after another, each output copied to its role name: how the temporary
// files were made before the renders of one input shared their work.
int renderOneByOne(const platform::Path& input, double level, const platform::Path& work) {
    using namespace cw;
    const auto copy = [&work](const char* from, const char* to) {
        copyTempFile(work, from, tempPath(work, to));
    };
    int code = 0;
    if ((code = readWavToTemp8k(input, level, 0, channelLeft, work))) return code;
    copy(temp8kName, "_cwmltmp.wav");
    if ((code = readWavToTemp8k(input, level, 0, channelRight, work))) return code;
    copy(temp8kName, "_cwmrtmp.wav");
    if ((code = readWavToTemp16k(input, level, channelLeft, work))) return code;
    copy(temp16kName, "_cwhltmp.wav");
    if ((code = readWavToTemp16k(input, level, channelRight, work))) return code;
    copy(temp16kName, "_cwhrtmp.wav");
    if ((code = readWavToTemp8k(input, level, 1, channelMix, work))) return code;
    copy(temp8kName, "_cwm4tmp.wav");
    if ((code = readWavToTemp8k(input, level, 0, channelMix, work))) return code;
    copy(temp8kName, "_cwm8tmp.wav");
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
