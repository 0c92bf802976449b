#include "chimewright/app/presets.hpp"
#include "chimewright/app/settings_file.hpp"
#include "platform/profile.hpp"
#include "platform/text.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using namespace testing_support;
namespace opt = cw::option;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    ScratchFolder folder;
    platform::Path file = folder / "ferrowind.ini";

    std::string value(const char* section, const char* key) {
        return platform::readProfileString(file, section, key, "<none>", 256);
    }
};

} // namespace

TEST_F(SettingsFile, FreshSettingsEnableOnlyP903AndAndroid) {
    cw::SettingsState state;
    state.flags.fill(0);
    state.volumes.fill(0.5);
    state.loop = 1;
    cw::loadSettings(state, file, "");

    for (int t = 0; t < cw::targetCount; ++t) {
        const bool enabled = state.flags[static_cast<std::size_t>(t)] & opt::create;
        EXPECT_EQ(enabled, t == cw::targetP903 || t == cw::targetAndroid) << t;
        EXPECT_EQ(state.volumes[static_cast<std::size_t>(t)], 1.0) << t;
    }
    EXPECT_EQ(state.flags[cw::targetP903], opt::create | opt::unlimited | opt::rate16k);
    EXPECT_EQ(state.flags[cw::targetAndroid], opt::create | opt::unlimited | opt::rate32k4bit);
    EXPECT_EQ(state.normalisationFlags, opt::create | opt::rate8k);
    EXPECT_EQ(cw::batchLevel(state), 1.0);
    EXPECT_EQ(state.userSizeLimit, 100000);
    EXPECT_EQ(state.loop, 0);
    EXPECT_EQ(state.smafBudget, 5900);
    EXPECT_FALSE(platform::fileExists(file));
}

TEST_F(SettingsFile, SavesEveryKeyInItsOrderAndFormat) {
    cw::SettingsState state;
    state.flags[cw::targetN505] = 776;
    state.volumes[cw::targetN505] = 0.25;
    state.normalisationLevel = 0.8;
    state.loop = 1;
    state.userSizeLimit = 65200;
    cw::saveSettings(state, file, "");

    const std::string text = fileBytes(file);
    const char* order[] = {
        "[STYLE]", "normoff=544", "n503=32", "n504=32", "n505=776", "f503=32", "f504=32",
        "f505=264", "p211=32", "p505=264", "p900=264", "d211=32", "d505=264", "sh251=32",
        "sh505=264", "sh252=264", "so504=32", "so505=264", "so505is=264", "sa700=264",
        "sa702=264", "p903=776", "l600=264", "n600=264", "m702=264", "Andr=769", "mmf=264",
        "qcp=32", "[VOLUME]", "normalize=0.800000", "n503=1.000000", "n505=0.250000",
        "Andr=1.000000", "[OPTION]", "loop=1", "maxmld=65200"};
    std::size_t at = 0;
    for (const char* expected : order) {
        const std::size_t found = text.find(expected, at);
        ASSERT_NE(found, std::string::npos) << expected << " after byte " << at << "\n" << text;
        at = found + 1;
    }
    EXPECT_EQ(text.find("mmf=1"), std::string::npos) << "SMAF has no volume key";
    EXPECT_EQ(text.find("qcp=1"), std::string::npos) << "QCP has no volume key";
    EXPECT_EQ(text.find("smafBudget"), std::string::npos);
}

TEST_F(SettingsFile, RoundTripKeepsForeignSectionsKeysAndComments) {
    putFile(file,
            "; kept by hand\r\n"
            "[Other]\r\n"
            "colour=blue\r\n"
            "\r\n"
            "[style]\r\n"
            "; a note on the targets\r\n"
            "N503=544\r\n"
            "extra=7\r\n"
            "\r\n"
            "[user]\r\n"
            "output=C:\\out\r\n");
    cw::SettingsState state;
    cw::loadSettings(state, file, "");
    EXPECT_EQ(state.flags[cw::targetN503], 544u) << "sections and keys ignore case";

    state.flags[cw::targetN503] = 552;
    state.volumes[cw::targetSo505is] = 0.5;
    cw::saveSettings(state, file, "");

    cw::SettingsState again;
    cw::loadSettings(again, file, "");
    EXPECT_EQ(again.flags, state.flags);
    EXPECT_EQ(again.volumes, state.volumes);
    EXPECT_EQ(value("Other", "colour"), "blue");
    EXPECT_EQ(value("STYLE", "extra"), "7");
    EXPECT_EQ(cw::readOutputFolder(file), "C:\\out");
    const std::string text = fileBytes(file);
    EXPECT_NE(text.find("; kept by hand"), std::string::npos) << text;
    EXPECT_NE(text.find("; a note on the targets"), std::string::npos) << text;
}

TEST_F(SettingsFile, UnparsableValuesGiveWhatTheCConversionsGive) {
    putFile(file,
            "[VOLUME]\r\nnormalize=abc\r\nn503=0.5x\r\n"
            "[OPTION]\r\nmaxmld=12ab\r\nloop=yes\r\n"
            "[STYLE]\r\np903=\r\nn504=oops\r\n");
    cw::SettingsState state;
    cw::loadSettings(state, file, "");
    EXPECT_EQ(state.normalisationLevel, 0.0);
    EXPECT_EQ(state.volumes[cw::targetN503], 0.5);
    EXPECT_EQ(state.userSizeLimit, 12);
    EXPECT_EQ(state.loop, 0);
    EXPECT_EQ(state.flags[cw::targetP903], 776u) << "an empty value reads as missing";
    EXPECT_EQ(state.flags[cw::targetN504], 0u);
}

TEST_F(SettingsFile, LevelThatIsNoFiniteNumberReadsAsMissing) {
    const struct { const char* text; double level; } cases[] = {
        {"nan", 1.0}, {"-nan", 1.0}, {"inf", 1.0}, {"-infinity", 1.0}, {"1e999", 1.0},
        {"-1e999", 1.0}, {"1e300", 1e300}, {"0.75", 0.75}, {"-2", -2.0}};
    for (const auto& c : cases) {
        putFile(file, std::string("[VOLUME]\r\nnormalize=") + c.text + "\r\n");
        cw::SettingsState state;
        cw::loadSettings(state, file, "");
        EXPECT_EQ(state.normalisationLevel, c.level) << c.text;
    }
}

TEST_F(SettingsFile, PresetsLiveInTheirOwnSections) {
    cw::SettingsState preset;
    preset.flags[cw::targetF505] = 776;
    preset.loop = 1;
    ASSERT_TRUE(cw::savePreset(preset, file, "PresetB"));
    EXPECT_EQ(value("PresetBSTYLE", "f505"), "776");
    EXPECT_EQ(value("PresetBOPTION", "loop"), "1");
    EXPECT_EQ(value("STYLE", "f505"), "<none>");

    cw::SettingsState state;
    ASSERT_TRUE(cw::loadPreset(state, file, "PresetB"));
    EXPECT_EQ(state.flags[cw::targetF505], 776u);
    EXPECT_EQ(state.loop, 1);
    ASSERT_TRUE(cw::loadPreset(state, file, "Latest"));
    EXPECT_EQ(state.flags[cw::targetF505], 264u) << "Latest reads the unprefixed sections";
    EXPECT_FALSE(cw::loadPreset(state, file, "PresetE"));
}

TEST_F(SettingsFile, SavingWithLatestSelectedWritesNothing) {
    cw::SettingsState state;
    EXPECT_FALSE(cw::savePreset(state, file, "Latest"));
    EXPECT_FALSE(platform::fileExists(file));

    putFile(file, "[STYLE]\r\nn503=544\r\n");
    EXPECT_FALSE(cw::savePreset(state, file, "Latest"));
    EXPECT_EQ(fileBytes(file), "[STYLE]\r\nn503=544\r\n");
}

TEST_F(SettingsFile, CopyrightHasAnAnsiFormOfAtMost254Bytes) {
    // 200 double-byte characters: 400 bytes in code page 932.
    std::string text;
    for (int i = 0; i < 200; ++i) text += "著";
    ASSERT_TRUE(platform::writeProfileString(file, "user", "copyright", text));
    cw::SettingsState state;
    cw::readUserCopyright(state, file);
    EXPECT_EQ(state.copyright, text);
    EXPECT_EQ(state.copyrightAnsi.size(), 254u);
    EXPECT_EQ(state.copyrightAnsi.substr(0, 2), "\x92\x98");

    cw::readUserCopyright(state, folder / "missing.ini");
    EXPECT_EQ(state.copyright, "");
    EXPECT_EQ(state.copyrightAnsi, "");
}

TEST_F(SettingsFile, OutputFolderIsStoredUnderUser) {
    EXPECT_EQ(cw::readOutputFolder(file), "");
    cw::storeOutputFolder(file, "D:\\ringtones");
    EXPECT_EQ(value("user", "output"), "D:\\ringtones");
    EXPECT_EQ(cw::readOutputFolder(file), "D:\\ringtones");
}

TEST_F(SettingsFile, EditedCopyrightIsKeptUnderUser) {
    cw::SettingsState state;
    cw::setCopyright(state, "(c) 着信 2026");
    cw::storeUserCopyright(state, file);
    EXPECT_EQ(value("user", "copyright"), "(c) 着信 2026");

    cw::SettingsState next;
    cw::readUserCopyright(next, file);
    EXPECT_EQ(next.copyright, "(c) 着信 2026");
    EXPECT_EQ(next.copyrightAnsi, platform::utf8ToCp932("(c) 着信 2026"));
}
