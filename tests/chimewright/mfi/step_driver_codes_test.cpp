// The step-ADPCM drivers' choices and result codes: budgets, options, the inline-or-block
// choice, the size limits, failures that write nothing, and the order of the drivers.
#include "chimewright/mfi/mfi_drivers.hpp"
#include "tests/chimewright/mfi/driver_fixture.hpp"
#include "tests/chimewright/mfi/mfi_test_reader.hpp"
#include "tests/support/wav_builder.hpp"

using namespace mfi_test;
namespace opt = cw::option;

TEST(MfiBudget, PerTargetSizeClassAndUserLimit) {
    struct Case { int target; bool unlimited; std::size_t budget; };
    const Case cases[] = {
        {cw::targetF504, false, 10000}, {cw::targetF505, false, 20000},
        {cw::targetP211, false, 10000}, {cw::targetSa700, false, 20000},
        {cw::targetF504, true, 123456}, {cw::targetF505, true, 123456},
        {cw::targetSh505, true, 123456},
        {cw::targetP211, true, 65200},  {cw::targetN503, true, 65200},
        {cw::targetN504, true, 65200},  {cw::targetF503, true, 65200},
        {cw::targetSo504, true, 65200}, {cw::targetSo505, true, 65200},
        {cw::targetN505, true, 123456},
    };
    for (const Case& c : cases) {
        const auto index = static_cast<std::size_t>(c.target);
        const cw::TargetBlock block = cw::makeTargetBlock(
            opt::create | (c.unlimited ? opt::unlimited : 0u), 1.0, cw::targetTable[index].largeBudget, 0);
        EXPECT_EQ(cw::mfiByteBudget(c.target, block, 123456), c.budget) << cw::targetTable[index].key;
    }
    const cw::TargetBlock negative = cw::makeTargetBlock(opt::create | opt::unlimited, 1.0, 1, 0);
    EXPECT_EQ(cw::mfiByteBudget(cw::targetF505, negative, -5), 0u);
}

TEST(MfiVoiceOption, FirstOfferedOptionInTheWindowsOrder) {
    const std::uint32_t all = 0xFF;
    struct Case { const char* name; std::uint32_t flags; std::uint32_t offered; cw::VoiceOption option; };
    const Case cases[] = {
        {"nothing set", 0, all, cw::VoiceOption::mono8k},
        {"8kHz", opt::rate8k, all, cw::VoiceOption::mono8k},
        {"4kHz wins", opt::rate4k | opt::rate16k | opt::stereo8k, all, cw::VoiceOption::rate4k},
        {"8kStereo before 16kHz", opt::stereo8k | opt::rate16k, all, cw::VoiceOption::stereo8k},
        {"16kHz before 16kStereo", opt::rate16k | opt::stereo16k, all, cw::VoiceOption::mono16k},
        {"32kHz(2bit)", opt::rate32k2bit | opt::rate32k4bit, all, cw::VoiceOption::mono32k2bit},
        {"32kHz(4bit)", opt::rate32k4bit, all, cw::VoiceOption::mono32k4bit},
        {"not offered", opt::stereo16k, opt::rate4k | opt::rate16k, cw::VoiceOption::mono8k},
        {"next offered", opt::stereo8k | opt::rate16k, opt::rate16k, cw::VoiceOption::mono16k},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cw::chooseVoiceOption(cw::makeTargetBlock(c.flags, 1, 0, 0), c.offered), c.option)
            << c.name;
}

namespace {

class StepDriverCodes : public StepDriverTest {
protected:
    // The one voice stream of a written file.
    Bytes voiceOf(int target) {
        std::string error;
        const auto file = readMfi(testing_support::fileBytes(outputOf(target)), error);
        EXPECT_TRUE(file) << error;
        if (!file) return {};
        const auto voice = readStepVoice(*file, error);
        EXPECT_TRUE(voice) << error;
        return voice ? voice->first : Bytes{};
    }

    // Block records (V 86 c r m with r < 0x80): their voice lengths and continuation bytes.
    std::vector<std::pair<std::size_t, int>> blocksOf(int target) {
        std::string error;
        const auto file = readMfi(testing_support::fileBytes(outputOf(target)), error);
        std::vector<std::pair<std::size_t, int>> blocks;
        if (!file) return blocks;
        for (const Event& e : file->tracks[0])
            if (e.body.size() > 9 && e.body[1] == 0xFF && e.body[5] == 0x86 && e.body[7] < 0x80)
                blocks.emplace_back(e.body.size() - 9, e.body[8]);
        return blocks;
    }
};

} // namespace

TEST_F(StepDriverCodes, UnderAUserLimit65200BytesStayInlineAnd65201BecomeBlocks) {
    // 34 s at 8 kHz: more than 65201 bytes of voice.
    const auto wave = testing_support::sineWave(300, 8000, 136000, 8000);
    testing_support::putFile(work / "_cwmtmp.wav", testing_support::makeWav({}, wave));
    for (int target : {cw::targetF504, cw::targetSh251}) {
        SCOPED_TRACE(cw::targetTable[target].key);
        settings = {};
        enable(target, opt::unlimited | opt::rate8k);

        options.userSizeLimit = 65200;
        ASSERT_EQ(cw::runMfiDrivers(context()), 0);
        EXPECT_EQ(voiceOf(target).size(), 65200u);
        EXPECT_TRUE(blocksOf(target).empty());

        options.userSizeLimit = 65201;
        ASSERT_EQ(cw::runMfiDrivers(context()), 0);
        EXPECT_EQ(voiceOf(target).size(), 65201u);
        EXPECT_EQ(blocksOf(target), (std::vector<std::pair<std::size_t, int>>{{48000, 1}, {17201, 0}}));
    }
}

TEST_F(StepDriverCodes, MissingInputGivesTheOpenCodeAndWritesNothing) {
    struct Case { int target; int code; };
    for (const Case& c : {Case{cw::targetF504, 9000}, Case{cw::targetF505, 9000},
                          Case{cw::targetP211, 6000}, Case{cw::targetSa700, 6000},
                          Case{cw::targetSh251, 9100}, Case{cw::targetSh505, 9100}}) {
        settings = {};
        enable(c.target, opt::stereo8k); // no temporary file exists
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code) << cw::targetTable[c.target].key;
        EXPECT_TRUE(outputs().empty());
    }
}

TEST_F(StepDriverCodes, AnOutputThatCannotBeCreatedGivesTheCreateCode) {
    putSources();
    testing_support::putFile(out / "blocker", "a file where a folder should be");
    struct Case { int target; std::uint32_t flags; int code; };
    const Case cases[] = {
        {cw::targetF504, opt::rate8k, 9001},   {cw::targetF505, opt::stereo16k, 9001},
        {cw::targetP211, opt::rate8k, 6001},   {cw::targetP900, opt::rate8k, 6001},
        {cw::targetSa700, opt::rate8k, 6001},  {cw::targetSh251, opt::rate8k, 9101},
        {cw::targetSh505, opt::rate8k, 9104},
    };
    for (const Case& c : cases) {
        settings = {};
        enable(c.target, c.flags);
        settings[static_cast<std::size_t>(c.target)].outputPath = out / "blocker" / "x" / "bell.mld";
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code) << cw::targetTable[c.target].key;
    }
}

TEST_F(StepDriverCodes, AnInlineFileAboveTheModelsLimitIsRefusedUnlessUnlimited) {
    putSources();
    // 10000 bytes of voice, both texts at 64 bytes and a minute of extra silence: the rests
    // of the two tracks take the file past 10238 bytes.
    texts = cw::makeMfiTexts(std::string(64, 'T'), std::string(64, 'C'));
    extraSilenceMs = 60000;
    struct Case { int target; int code; };
    for (const Case& c : {Case{cw::targetF504, 9002}, Case{cw::targetP211, 6002},
                          Case{cw::targetSh251, 9102}}) {
        SCOPED_TRACE(cw::targetTable[c.target].key);
        for (const auto& entry : std::filesystem::directory_iterator(out.path()))
            std::filesystem::remove_all(entry.path());
        settings = {};
        enable(c.target, opt::rate8k);
        options.userSizeLimit = 100000;
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code);
        EXPECT_TRUE(outputs().empty());

        enable(c.target, opt::unlimited | opt::rate8k);
        options.userSizeLimit = 10000;
        EXPECT_EQ(cw::runMfiDrivers(context()), 0);
        EXPECT_GT(testing_support::fileBytes(outputOf(c.target)).size(), 10238u);
    }
}

TEST_F(StepDriverCodes, AHeaderThatWouldNotFitGivesTheSizeCodeAndWritesNothing) {
    putSources();
    // Texts longer than an MFi file takes reach the writer only this way.
    texts.title = std::string(120, 'T');
    texts.copyright = std::string(120, 'C');
    struct Case { int target; int code; };
    for (const Case& c : {Case{cw::targetF504, 9002}, Case{cw::targetP211, 6002},
                          Case{cw::targetSh251, 9102}}) {
        settings = {};
        enable(c.target, opt::unlimited | opt::rate8k);
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code) << cw::targetTable[c.target].key;
        EXPECT_TRUE(outputs().empty());
    }
}

TEST_F(StepDriverCodes, TheFirstFailureEndsTheInput) {
    putSources();
    // p211 reads "_cwmtmp.wav"; without it the vendor 0x41 driver fails before p900, and the
    // vendor 0x21 driver after it never runs.
    platform::deleteFile(work / "_cwmtmp.wav");
    enable(cw::targetP211, opt::rate8k);
    enable(cw::targetP900, opt::rate16k);
    enable(cw::targetF505, opt::rate16k);
    EXPECT_EQ(cw::runMfiDrivers(context()), 6000);
    EXPECT_TRUE(outputs().empty());

    settings[cw::targetP211].enabled = 0;
    EXPECT_EQ(cw::runMfiDrivers(context()), 0);
    EXPECT_EQ(outputs().size(), 2u);
}

TEST_F(StepDriverCodes, AnEmptyTemporaryFileStillGivesAFile) {
    testing_support::putFile(work / "_cwmtmp.wav", testing_support::makeWav({}, {}));
    for (int target : {cw::targetF504, cw::targetF505, cw::targetSa700}) {
        settings = {};
        enable(target, opt::rate8k);
        ASSERT_EQ(cw::runMfiDrivers(context()), 0) << cw::targetTable[target].key;
        std::string error;
        const auto file = readMfi(testing_support::fileBytes(outputOf(target)), error);
        ASSERT_TRUE(file) << error;
        const auto voice = readStepVoice(*file, error);
        ASSERT_TRUE(voice) << error;
        EXPECT_TRUE(voice->first.empty());
    }
}
