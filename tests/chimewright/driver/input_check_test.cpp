#include "chimewright/driver/input_check.hpp"
#include "tests/support/scratch.hpp"
#include "tests/support/undeletable.hpp"
#include "tests/support/wav_builder.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(InputCheck, HeaderFieldsInTheirOrder) {
    ScratchFolder dir;
    const std::string good = makeWav({}, {1, 2, 3});
    WavSpec adpcm; adpcm.formatTag = 2;
    struct Case { const char* name; std::string bytes; int code; };
    const Case cases[] = {
        {"PCM", good, 0},
        {"compressed", makeWav(adpcm, {1, 2}), 1013},
        {"RIFX", "RIFX" + good.substr(4), 1007},
        {"AVI", good.substr(0, 8) + "AVI LIST" + good.substr(16), 1010},
        {"empty", "", 1006},
        {"no size", "RIFF", 1008},
        {"short form", good.substr(0, 12), 1009},
        {"no fmt size", good.substr(0, 16), 1011},
        {"no tag", good.substr(0, 20), 1012},
        {"no channels", good.substr(0, 22), 1014},
        {"no rate", good.substr(0, 24), 1015},
        {"no byte rate", good.substr(0, 28), 1016},
        {"no block align", good.substr(0, 32), 1017},
        {"no bits", good.substr(0, 34), 1018},
    };
    for (const Case& c : cases) {
        putFile(dir / "in.wav", c.bytes);
        bool tarnwick = true;
        EXPECT_EQ(cw::checkInputWave(dir / "in.wav", dir.path(), tarnwick), c.code) << c.name;
        EXPECT_FALSE(tarnwick);
    }
    bool tarnwick = false;
    EXPECT_EQ(cw::checkInputWave(dir / "none.wav", dir.path(), tarnwick), 1005);
}

TEST(InputCheck, ProbesTarnwickAndDeletesTheLeftoverOfItsRoute) {
    ScratchFolder dir;
    putFile(dir / "in.wav", makeWav({}, {1}));
    putFile(dir / "SAMPLE.mmf", "old");
    putFile(dir / "_cwmtmp.mmf", "old");
    bool tarnwick = true;
    ASSERT_EQ(cw::checkInputWave(dir / "in.wav", dir.path(), tarnwick), 0);
    EXPECT_FALSE(tarnwick);
    EXPECT_FALSE(platform::fileExists(dir / "SAMPLE.mmf"));
    EXPECT_TRUE(platform::fileExists(dir / "_cwmtmp.mmf"));

    putFile(dir / cw::tarnwickFileName(), "");
    putFile(dir / "SAMPLE.mmf", "old");
    ASSERT_EQ(cw::checkInputWave(dir / "in.wav", dir.path(), tarnwick), 0);
    EXPECT_TRUE(tarnwick);
    EXPECT_FALSE(platform::fileExists(dir / "_cwmtmp.mmf"));
    EXPECT_TRUE(platform::fileExists(dir / "SAMPLE.mmf"));
}

TEST(InputCheck, LeftoverThatCannotBeDeleted) {
    ScratchFolder dir;
    putFile(dir / "in.wav", makeWav({}, {1}));
    putFile(dir / "SAMPLE.mmf", "old");
    UndeletableFile guard(dir / "SAMPLE.mmf");
    if (!guard.active()) GTEST_SKIP() << "this system cannot keep a file from being deleted";
    bool tarnwick = false;
    EXPECT_EQ(cw::checkInputWave(dir / "in.wav", dir.path(), tarnwick), 1004);
}
