// Our own INI reader and writer: lines it does not change stay byte for byte.
#ifndef _WIN32

#include "platform/posix/ini_text.hpp"
#include "platform/profile.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testing_support;

TEST(IniText, ChangesOnlyTheLinesItMust) {
    platform::IniText ini("\xEF\xBB\xBF; note\n[A]\nkey = old ; not a comment\n  other=1\r\n\n[B]\nx=1");
    ini.set("a", "KEY", "new");
    ini.set("b", "y", "2");
    ini.set("C", "z", "3");
    EXPECT_EQ(ini.text(),
              "\xEF\xBB\xBF; note\n[A]\nkey=new\n  other=1\r\n\n[B]\nx=1\ny=2\n\n[C]\nz=3\n");
}

TEST(IniText, NewFilesUseCarriageReturnLineFeed) {
    platform::IniText ini("");
    ini.set("STYLE", "n503", "32");
    ini.set("STYLE", "n504", "32");
    ini.set("VOLUME", "n503", "1.000000");
    EXPECT_EQ(ini.text(), "[STYLE]\r\nn503=32\r\nn504=32\r\n\r\n[VOLUME]\r\nn503=1.000000\r\n");
}

TEST(IniText, TheFirstOfTwinSectionsAndKeysCounts) {
    platform::IniText ini("[A]\nk=1\nk=2\n[a]\nk=3\n");
    EXPECT_EQ(ini.find("A", "k"), "1");
    ini.set("A", "k", "9");
    EXPECT_EQ(ini.text(), "[A]\nk=9\nk=2\n[a]\nk=3\n");
}

TEST(PosixProfile, ReadsAndWritesAFileFromAJapaneseWindowsSystem) {
    ScratchFolder folder;
    const platform::Path file = folder / "ferrowind.ini";
    // Code page 932: "著作" and a foreign comment in the same code page.
    putFile(file, "; \x83\x81\x83\x82\r\n[user]\r\ncopyright=\x92\x98\x8D\xEC\r\n");
    EXPECT_EQ(platform::readProfileString(file, "user", "copyright", "", 1024), "著作");
    ASSERT_TRUE(platform::writeProfileString(file, "user", "output", "D:\\着信"));
    EXPECT_EQ(fileBytes(file),
              "; \x83\x81\x83\x82\r\n[user]\r\ncopyright=\x92\x98\x8D\xEC\r\noutput=D:\\\x92\x85\x90\x4D\r\n");
}

TEST(PosixProfile, WritingMakesTheSettingsFolder) {
    ScratchFolder folder;
    const platform::Path file = folder.path() / "config" / "chimewright" / "ferrowind.ini";
    ASSERT_TRUE(platform::writeProfileString(file, "user", "output", "/tmp"));
    EXPECT_EQ(platform::readProfileString(file, "user", "output", "", 1024), "/tmp");
}

TEST(PosixProfile, SettingsFolderFollowsTheEnvironment) {
    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved;
    for (const char* name : {"WINDIR", "XDG_CONFIG_HOME", "HOME"}) {
        const char* v = std::getenv(name);
        saved.push_back({name, v ? v : "", v != nullptr});
    }
    auto put = [](const char* name, const char* value) {
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    };
    struct Case { const char* windir; const char* xdg; const char* home; const char* folder; };
    const Case cases[] = {
        {"/w", "/x", "/h", "/w"},
        {"", "/x", "/h", "/x/chimewright"},
        {nullptr, "relative", "/h", "/h/.config/chimewright"},
        {nullptr, nullptr, "/h", "/h/.config/chimewright"},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        put("WINDIR", c.windir);
        put("XDG_CONFIG_HOME", c.xdg);
        put("HOME", c.home);
        EXPECT_EQ(platform::settingsFolder(), platform::Path(c.folder)) << c.folder;
    }
    for (const Saved& s : saved) put(s.name, s.set ? s.value.c_str() : nullptr);
}

#endif
