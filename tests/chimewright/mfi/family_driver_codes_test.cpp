// The result codes of the low-nibble, G.726 and IMA drivers: a missing temporary file, an
// output that cannot be created, a file above the model's size; failures write nothing and end
// the input; empty temporary files still give files; d211 holds 65200 bytes under "Unlimited".
#include "chimewright/mfi/mfi_drivers.hpp"
#include "tests/chimewright/mfi/family_fixture.hpp"
#include "tests/chimewright/mfi/family_voice_reader.hpp"
#include "tests/support/wav_builder.hpp"

#include <filesystem>

using namespace mfi_test;
namespace opt = cw::option;

namespace {

class FamilyDriverCodes : public FamilyDriverTest {
protected:
    void clearOutputs() {
        for (const auto& entry : std::filesystem::directory_iterator(out.path()))
            std::filesystem::remove_all(entry.path());
    }
    std::optional<MfiFile> readOutput(int target) {
        std::string error;
        auto file = readMfi(testing_support::fileBytes(outputOf(target)), error);
        EXPECT_TRUE(file) << error;
        return file;
    }
};

struct CodeCase {
    int target;
    std::uint32_t flags;
    int code;
};

} // namespace

TEST_F(FamilyDriverCodes, MissingInputGivesTheOpenCodeAndWritesNothing) {
    const CodeCase cases[] = {
        {cw::targetN503, opt::rate8k, 9206},      {cw::targetN504, opt::stereo8k, 9206},
        {cw::targetN505, opt::rate16k, 9206},     {cw::targetF503, opt::rate4k, 9206},
        {cw::targetSo504, opt::rate8k, 9206},     {cw::targetSo505, opt::stereo8k, 9206},
        {cw::targetD211, opt::rate4k, 7003},      {cw::targetD505, opt::rate32k2bit, 7003},
        {cw::targetP505, opt::stereo16k, 7003},   {cw::targetSh252, opt::rate8k, 7003},
        {cw::targetSo505is, opt::rate16k, 7003},  {cw::targetSa702, opt::rate32k4bit, 7003},
        {cw::targetP903, opt::stereo8k, 7003},    {cw::targetL600, opt::rate8k, 9300},
        {cw::targetN600, opt::rate16k, 9302},     {cw::targetM702, opt::rate8k, 9304},
    };
    for (const CodeCase& c : cases) {
        settings = {};
        enable(c.target, c.flags); // no temporary file exists
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code) << cw::targetTable[c.target].key;
        EXPECT_TRUE(outputs().empty());
    }
}

TEST_F(FamilyDriverCodes, AStereoTargetNeedsBothChannelFiles) {
    putAllSources();
    platform::deleteFile(work / "_cwmrtmp.wav");
    for (const CodeCase& c : {CodeCase{cw::targetN505, opt::stereo8k, 9206},
                              CodeCase{cw::targetD505, opt::stereo8k, 7003}}) {
        settings = {};
        enable(c.target, c.flags);
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code) << cw::targetTable[c.target].key;
        EXPECT_TRUE(outputs().empty());
    }
}

TEST_F(FamilyDriverCodes, AnOutputThatCannotBeCreatedGivesTheTargetsCreateCode) {
    putAllSources();
    testing_support::putFile(out / "blocker", "a file where a folder should be");
    const CodeCase cases[] = {
        {cw::targetN503, opt::rate8k, 9201},      {cw::targetF503, opt::rate8k, 9201},
        {cw::targetN504, opt::rate8k, 9204},      {cw::targetN505, opt::stereo16k, 9204},
        {cw::targetSo504, opt::rate8k, 9204},     {cw::targetSo505, opt::rate16k, 9204},
        {cw::targetD211, opt::rate8k, 7001},      {cw::targetD505, opt::rate8k, 7004},
        {cw::targetP505, opt::rate8k, 6003},      {cw::targetSh252, opt::rate8k, 9107},
        {cw::targetSo505is, opt::rate8k, 9209},   {cw::targetSa702, opt::rate8k, 9210},
        {cw::targetP903, opt::rate8k, 9211},      {cw::targetL600, opt::rate8k, 9301},
        {cw::targetN600, opt::rate8k, 9303},      {cw::targetM702, opt::rate8k, 9305},
    };
    for (const CodeCase& c : cases) {
        settings = {};
        enable(c.target, c.flags);
        settings[static_cast<std::size_t>(c.target)].outputPath = out / "blocker" / "x" / "bell.mld";
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code) << cw::targetTable[c.target].key;
    }
}

TEST_F(FamilyDriverCodes, OneRecordFilesAboveTheModelsSizeAreRefusedUnlessUnlimited) {
    putAllSources();
    // Full voices with both texts at 64 bytes take these files just past 10238 bytes (20238
    // for so505 in stereo); d211 needs a minute of extra silence for its rests as well.
    texts = cw::makeMfiTexts(std::string(64, 'T'), std::string(64, 'C'));
    struct Case { int target; std::uint32_t flags; int extraMs; int code; };
    const Case cases[] = {
        {cw::targetN503, opt::rate8k, 0, 9202},  {cw::targetF503, opt::rate8k, 0, 9202},
        {cw::targetN504, opt::rate8k, 0, 9205},  {cw::targetSo504, opt::rate8k, 0, 9205},
        {cw::targetSo505, opt::stereo8k, 0, 9205}, {cw::targetD211, opt::rate8k, 60000, 7002},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(cw::targetTable[c.target].key);
        clearOutputs();
        settings = {};
        extraSilenceMs = c.extraMs;
        enable(c.target, c.flags);
        EXPECT_EQ(cw::runMfiDrivers(context()), c.code);
        EXPECT_TRUE(outputs().empty());

        // The same without texts fits.
        const auto keptTexts = texts;
        texts = {};
        if (c.target != cw::targetD211) {
            EXPECT_EQ(cw::runMfiDrivers(context()), 0);
            EXPECT_LE(testing_support::fileBytes(outputOf(c.target)).size(),
                      cw::targetTable[c.target].largeBudget ? 20238u : 10238u);
        }
        texts = keptTexts;

        enable(c.target, opt::unlimited | c.flags);
        options.userSizeLimit = 10000;
        EXPECT_EQ(cw::runMfiDrivers(context()), 0);
        EXPECT_GT(testing_support::fileBytes(outputOf(c.target)).size(),
                  cw::targetTable[c.target].largeBudget ? 20238u : 10238u);
    }
}

TEST_F(FamilyDriverCodes, TheBlockFormsHaveNoSizeLimit) {
    putAllSources();
    texts = cw::makeMfiTexts(std::string(64, 'T'), std::string(64, 'C'));
    extraSilenceMs = 60000;
    for (int target : {cw::targetN505, cw::targetD505, cw::targetP505, cw::targetSa702,
                       cw::targetL600, cw::targetM702}) {
        settings = {};
        enable(target, opt::rate16k);
        EXPECT_EQ(cw::runMfiDrivers(context()), 0) << cw::targetTable[target].key;
    }
}

TEST_F(FamilyDriverCodes, D211HoldsAtMost65200BytesUnderAUserLimit) {
    // 20 s at 8 kHz: 80000 bytes of 4-bit code words.
    const auto wave = testing_support::sineWave(300, 8000, 160000, 8000);
    testing_support::putFile(work / "_cwm8tmp.wav", testing_support::makeWav({}, wave));
    enable(cw::targetD211, opt::unlimited | opt::rate8k);
    options.userSizeLimit = 100000;
    ASSERT_EQ(cw::runMfiDrivers(context()), 0);
    const auto file = readOutput(cw::targetD211);
    ASSERT_TRUE(file);
    std::string error;
    const auto voice = readG726Voice(*file, error);
    ASSERT_TRUE(voice) << error;
    EXPECT_EQ(voice->first.size(), 65200u);
    EXPECT_EQ(voice->blocks, 1u);
}

TEST_F(FamilyDriverCodes, LongVoicesOfTheBlockFormsUnderAUserLimit) {
    // 20 s at 8 kHz: 80000 bytes of step ADPCM or 4-bit G.726, 317 IMA blocks (81152 bytes).
    const auto wave = testing_support::sineWave(300, 8000, 160000, 8000);
    testing_support::putFile(work / "_cwm8tmp.wav", testing_support::makeWav({}, wave));
    testing_support::putFile(work / "_cwmtmp.wav", testing_support::makeWav({}, wave));
    options.userSizeLimit = 100000;
    struct Case { int target; std::size_t bytes; std::size_t blocks; };
    for (const Case& c : {Case{cw::targetN505, 80000, 2}, Case{cw::targetD505, 80000, 2},
                          Case{cw::targetSh252, 80000, 2}, Case{cw::targetN600, 317 * 256, 2}}) {
        SCOPED_TRACE(cw::targetTable[c.target].key);
        settings = {};
        enable(c.target, opt::unlimited | opt::rate8k);
        ASSERT_EQ(cw::runMfiDrivers(context()), 0);
        const auto file = readOutput(c.target);
        ASSERT_TRUE(file);
        std::string error;
        const auto voice = c.target == cw::targetN505 ? readLowNibbleVoice(*file, error)
                           : c.target == cw::targetN600 ? readImaVoice(*file, error)
                                                        : readG726Voice(*file, error);
        ASSERT_TRUE(voice) << error;
        EXPECT_EQ(voice->first.size(), c.bytes);
        EXPECT_EQ(voice->blocks, c.blocks);
    }
}

TEST_F(FamilyDriverCodes, AnEmptyTemporaryFileStillGivesAFile) {
    const std::string empty = testing_support::makeWav({}, {});
    for (const char* name : {"_cwm8tmp.wav", "_cwmtmp.wav"}) testing_support::putFile(work / name, empty);
    for (int target : {cw::targetN503, cw::targetN504, cw::targetN505, cw::targetSo504,
                       cw::targetD211, cw::targetD505, cw::targetP505, cw::targetP903,
                       cw::targetL600, cw::targetM702}) {
        SCOPED_TRACE(cw::targetTable[target].key);
        settings = {};
        enable(target, opt::rate8k);
        ASSERT_EQ(cw::runMfiDrivers(context()), 0);
        EXPECT_TRUE(readOutput(target));
    }
}

TEST_F(FamilyDriverCodes, TheFirstFailureEndsTheInput) {
    putAllSources();
    // The low-nibble driver runs first: without "_cwm8tmp.wav" n503 fails, and neither so504
    // after it nor the G.726 and IMA drivers write anything.
    platform::deleteFile(work / "_cwm8tmp.wav");
    enable(cw::targetN503, opt::rate8k);
    enable(cw::targetSo504, opt::rate16k);
    enable(cw::targetP505, opt::rate16k);
    enable(cw::targetL600, opt::rate16k);
    EXPECT_EQ(cw::runMfiDrivers(context()), 9206);
    EXPECT_TRUE(outputs().empty());

    settings[cw::targetN503].enabled = 0;
    EXPECT_EQ(cw::runMfiDrivers(context()), 0);
    EXPECT_EQ(outputs().size(), 3u);
}
