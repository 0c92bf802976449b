#include "chimewright/app/settings_state.hpp"

#include <gtest/gtest.h>

namespace opt = cw::option;

TEST(RowFlags, TheWindowRebuildsEveryFlagsWord) {
    struct Case { const char* name; std::uint32_t options; std::uint32_t flags; std::uint32_t built; };
    const std::uint32_t all = cw::targetProfiles[cw::targetP903].options;
    const std::uint32_t n503 = cw::targetProfiles[cw::targetN503].options;
    const std::uint32_t android = cw::targetProfiles[cw::targetAndroid].options;
    const Case cases[] = {
        {"normalisation off", 0, 0, 32},
        {"normalisation on", 0, 544, 544},
        {"p903 default", all, 776, 776},
        {"qcp default", 0, 32, 32},
        {"mmf default", cw::targetProfiles[cw::targetSmaf].options, 264, 264},
        // No "8kHz" button on the Android row: bit 5 stays set.
        {"Android default", android, 769, 769 | opt::rate8k},
        // n503 has no "16kHz" button: nothing is pressed and the bit is lost.
        {"n503 with 16kHz", n503, opt::create | opt::rate16k, opt::create},
        {"4kHz wins over 16kHz", all, opt::create | opt::rate4k | opt::rate16k, opt::create | opt::rate4k},
        {"hidden 8kStereo bit", all, opt::create | opt::stereo8kAlt, opt::create | opt::rate8k},
        {"disabled keeps options", all, opt::unlimited | opt::stereo16k, opt::unlimited | opt::stereo16k},
    };
    for (const Case& c : cases) EXPECT_EQ(cw::rowFlags(c.options, c.flags), c.built) << c.name;
}

TEST(RowFlags, DefaultsSurviveTheWindowExceptAndroid) {
    const cw::SettingsState fresh;
    const cw::SettingsState shown = cw::asWindowShowsIt(fresh);
    for (std::size_t t = 0; t < fresh.flags.size(); ++t) {
        if (t == cw::targetAndroid) continue;
        EXPECT_EQ(shown.flags[t], fresh.flags[t]) << cw::targetTable[t].key;
    }
    EXPECT_EQ(shown.normalisationFlags, fresh.normalisationFlags);
}
