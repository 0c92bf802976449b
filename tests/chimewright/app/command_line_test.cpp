#include "chimewright/app/command_line.hpp"
#include "chimewright/app/settings_file.hpp"
#include "platform/profile.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Expect {
    double level = 1.0;
    int smafBudget = 5900;
    int loop = 0;
    int listLines = 7;
    int userSizeLimit = 100000;
    std::uint32_t normalisationFlags = 544;
};

cw::SettingsState parsed(const std::string& line) {
    cw::SettingsState state;
    cw::parseCommandLine(state, line);
    return state;
}

} // namespace

TEST(CommandLine, SwitchesAdjustTheSettings) {
    struct Case { std::string line; Expect expect; };
    const Case cases[] = {
        {"/V80", {.level = 0.8}},
        {"/v0", {}},
        {"/v-5", {}},
        {"/v250", {.level = 2.5}},
        {"/v 80", {.level = 0.8}}, // the number is read as the C library reads it
        {"/v80abc", {.level = 0.8}},
        {"/mmf6ksz12000", {.smafBudget = 12000}},
        {"/mmf6ksz0", {}},
        {"/LOOP", {.loop = 1}},
        {"/loop /noloop", {.loop = 0}},
        {"/noloop /loop", {.loop = 1}},
        {"/displine3", {.listLines = 3}},
        {"/displine14", {.listLines = 14}},
        {"/displine20", {}},
        {"/displine0", {}},
        {"/maxmld800000", {}},
        {"/maxmld799999", {.userSizeLimit = 799999}},
        {"/maxmld1", {.userSizeLimit = 1}},
        {"/maxmld0", {}},
        {"/normoff", {.normalisationFlags = 0}},
        {"chimewright.exe /v50 /maxmld60000", {.level = 0.5, .userSizeLimit = 60000}},
        // After a switch one more character is skipped, so a switch right behind it is lost.
        {"/loop/noloop", {.loop = 1}},
        // Scanning stops two characters before the end.
        {"/v5", {.level = 0.05}},
        {"x/v5", {.level = 0.05}},
        {"", {}},
        {"/v", {}},
    };
    for (const Case& c : cases) {
        const cw::SettingsState s = parsed(c.line);
        EXPECT_EQ(s.normalisationLevel, c.expect.level) << c.line;
        EXPECT_EQ(s.smafBudget, c.expect.smafBudget) << c.line;
        EXPECT_EQ(s.loop, c.expect.loop) << c.line;
        EXPECT_EQ(s.listLines, c.expect.listLines) << c.line;
        EXPECT_EQ(s.userSizeLimit, c.expect.userSizeLimit) << c.line;
        EXPECT_EQ(s.normalisationFlags, c.expect.normalisationFlags) << c.line;
    }
}

TEST(CommandLine, OnlyTheFirst1023BytesCount) {
    auto levelAfter = [](std::size_t spaces) {
        return parsed(std::string(spaces, ' ') + "/v80").normalisationLevel;
    };
    EXPECT_EQ(levelAfter(1019), 0.8);
    EXPECT_EQ(levelAfter(1020), 0.08); // the line is cut after "/v8"
    EXPECT_EQ(levelAfter(1021), 1.0);  // "/v8" would start past the last position scanned
}

TEST(CommandLine, NormoffIsStoredAsTheWindowShowsIt) {
    testing_support::ScratchFolder folder;
    const platform::Path file = folder / "ferrowind.ini";
    cw::SettingsState state;
    cw::parseCommandLine(state, "/normoff");
    EXPECT_EQ(cw::batchLevel(state), -1.0);
    cw::saveSettings(cw::asWindowShowsIt(state), file, "");
    EXPECT_EQ(platform::readProfileString(file, "STYLE", "normoff", "", 256), "32");
}

TEST(CommandLine, PathsAreNeverTakenForSwitches) {
    struct Case { const char* argument; bool isSwitch; };
    const Case cases[] = {
        {"/v80", true},         {"/V80", true},          {"/loop", true},
        {"/NoLoop", true},      {"/normoff", true},      {"/maxmld5000", true},
        {"/displine3", true},   {"/mmf6ksz9000", true},  {"/v-5", true},
        {"/var/x.wav", false},  {"/home/loop/x.wav", false}, {"/loop/x.wav", false},
        {"/loopy", false},      {"/v", false},           {"/v80.wav", false},
        {"/normoff2", false},   {"bell.wav", false},     {"-o", false},
    };
    for (const Case& c : cases) EXPECT_EQ(cw::isSwitchArgument(c.argument), c.isSwitch) << c.argument;
}
