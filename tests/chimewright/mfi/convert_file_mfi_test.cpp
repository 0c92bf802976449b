// A whole conversion with the step-ADPCM targets enabled: each file in its own folder.
#include "chimewright/driver/job.hpp"
#include "tests/chimewright/mfi/mfi_test_reader.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

using namespace testing_support;
namespace opt = cw::option;

TEST(ConvertFileMfi, EachStepTargetWritesIntoItsOwnFolder) {
    ScratchFolder work;
    ScratchFolder in;
    ScratchFolder out;
    const platform::Path input = in / "bell.wav";
    WavSpec stereo;
    stereo.channels = 2;
    stereo.rate = 22050;
    putFile(input, makeWav(stereo, sineWave(440, 22050, 22050 * 2, 8000, 2)));

    const std::pair<int, std::uint32_t> enabled[] = {
        {cw::targetF504, opt::rate8k},    {cw::targetF505, opt::stereo8k},
        {cw::targetP211, opt::rate4k},    {cw::targetP900, opt::stereo16k},
        {cw::targetSa700, opt::rate16k},  {cw::targetSh251, opt::rate4k},
        {cw::targetSh505, opt::rate16k},
    };
    cw::JobSettings settings{};
    for (auto [target, flags] : enabled) {
        const auto index = static_cast<std::size_t>(target);
        settings[index] = cw::makeTargetBlock(flags | opt::create, 1.0,
                                              cw::targetTable[index].largeBudget, 0);
        settings[index].outputPath = cw::targetOutputPath(out.path(), target, "bell");
    }
    const cw::JobTexts texts{"bell", "bell", "", ""};
    const cw::MfiOptions mfi{.loop = 1, .userSizeLimit = 100000};

    // 1: no SMAF route without tarnwick, which counts as success.
    const int code = cw::convertFile(input, settings, work.path(), texts, 1.0, 0, 5900, mfi);
    EXPECT_TRUE(code == 0 || code == 1) << code;

    for (auto [target, flags] : enabled) {
        const char* key = cw::targetTable[static_cast<std::size_t>(target)].key;
        SCOPED_TRACE(key);
        const std::string bytes = fileBytes(out.path() / key / "bell.mld");
        std::string error;
        const auto file = mfi_test::readMfi(bytes, error);
        ASSERT_TRUE(file) << error;
        EXPECT_TRUE(mfi_test::hasMetaEvent(*file, 0xDD));
        const auto* title = file->infoChunk("titl");
        ASSERT_TRUE(title);
        EXPECT_EQ(std::string(title->data.begin(), title->data.end()), "bell");
        const auto voice = mfi_test::readStepVoice(*file, error);
        ASSERT_TRUE(voice) << error;
        EXPECT_GT(voice->first.size(), 3000u);
    }
}
