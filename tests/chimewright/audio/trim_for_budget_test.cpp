#include "chimewright/audio/wav_reader.hpp"
#include "shared/temp_wav.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::string tempWav(std::size_t samples) {
    auto header = suite::tempWavHeader(static_cast<std::uint32_t>(2 * samples));
    std::string bytes(header.begin(), header.end());
    for (std::size_t i = 0; i < samples; ++i) {
        bytes.push_back(static_cast<char>(i));
        bytes.push_back(static_cast<char>(i >> 8));
    }
    return bytes;
}

} // namespace

TEST(TrimForBudget, CutsToWhatTheBudgetHolds) {
    ScratchFolder dir;
    putFile(dir / "src.wav", tempWav(10000));
    struct Case { int twoBit; int start; int end; std::size_t bytes; };
    const Case cases[] = {
        {0, 10, 1000, 2 * (2 * 990 - 262)},  // 4-bit: two samples a byte after 131 bytes
        {1, 10, 1000, 2 * (4 * 990 - 524)},  // 2-bit: four samples a byte
        {0, 0, 100000, 20000},               // the whole file fits
        {0, 500, 100, 0},                    // no room at all
    };
    for (const Case& c : cases) {
        auto dest = dir.path() / "out" / "deep" / "t.wav";
        ASSERT_EQ(cw::trimWavForBudget(dir / "src.wav", dest, c.twoBit, c.start, c.end), 0);
        std::string out = fileBytes(dest);
        ASSERT_EQ(out.size(), 44 + c.bytes) << c.end;
        EXPECT_EQ(out.substr(44), tempWav(10000).substr(44, c.bytes));
        auto header = suite::tempWavHeader(static_cast<std::uint32_t>(c.bytes));
        EXPECT_EQ(out.substr(0, 44), std::string(header.begin(), header.end()));
    }
}

TEST(TrimForBudget, NeverCopiesPastWhatWasRead) {
    ScratchFolder dir;
    std::string src = tempWav(100);
    src[40] = src[41] = src[42] = static_cast<char>(0xFF); // declares far more than it has
    putFile(dir / "src.wav", src);
    ASSERT_EQ(cw::trimWavForBudget(dir / "src.wav", dir / "t.wav", 0, 0, 1000000), 0);
    EXPECT_EQ(fileBytes(dir / "t.wav").size(), 44u + 200);
}

TEST(TrimForBudget, Failures) {
    ScratchFolder dir;
    WavSpec stereo; stereo.channels = 2;
    putFile(dir / "stereo.wav", makeWav(stereo, {1, 2, 3, 4}));
    putFile(dir / "good.wav", tempWav(10));
    putFile(dir / "blocker", "x");
    EXPECT_EQ(cw::trimWavForBudget(dir / "none.wav", dir / "t.wav", 0, 0, 6000), 8000);
    EXPECT_EQ(cw::trimWavForBudget(dir / "stereo.wav", dir / "t.wav", 0, 0, 6000), 8002);
    EXPECT_EQ(cw::trimWavForBudget(dir / "good.wav", dir.path() / "blocker" / "t.wav", 0, 0, 6000),
              8003);
}
