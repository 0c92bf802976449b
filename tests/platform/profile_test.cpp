// The private-profile functions: the system's own on Windows, ours elsewhere. Both must
// read and write the same INI text the same way.
#include "platform/profile.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class Profile : public ::testing::Test {
protected:
    ScratchFolder folder;
    platform::Path file = folder / "test.ini";

    std::string read(const char* section, const char* key, std::size_t capacity = 256) {
        return platform::readProfileString(file, section, key, "dflt", capacity);
    }
};

} // namespace

TEST_F(Profile, SectionsAndKeysIgnoreCase) {
    putFile(file, "[Style]\r\nN503 = 544 \r\nquoted=\"a b\"\r\n[other]\r\nn503=1\r\n");
    EXPECT_EQ(read("STYLE", "n503"), "544");
    EXPECT_EQ(read("style", "N503"), "544");
    EXPECT_EQ(read("STYLE", "quoted"), "a b");
    EXPECT_EQ(read("STYLE", "missing"), "dflt");
    EXPECT_EQ(read("missing", "n503"), "dflt");
    EXPECT_EQ(platform::readProfileString(folder / "none.ini", "a", "b", "dflt", 256), "dflt");
}

TEST_F(Profile, StringsAreCutToTheBuffer) {
    putFile(file, "[user]\r\nlong=abcdefghij\r\n");
    EXPECT_EQ(read("user", "long", 5), "abcd");
    EXPECT_EQ(read("user", "long", 11), "abcdefghij");
    EXPECT_EQ(read("user", "missing", 3), "df");
}

TEST_F(Profile, IntegersAreTheLeadingNumber) {
    putFile(file, "[n]\r\nplain=42\r\nsigned=-5\r\ntrailing=12ab\r\nword=abc\r\nempty=\r\n");
    struct Case { const char* key; int value; };
    const Case cases[] = {{"plain", 42}, {"signed", -5}, {"trailing", 12}, {"word", 0},
                          {"empty", 77}, {"missing", 77}};
    for (const Case& c : cases)
        EXPECT_EQ(platform::readProfileInt(file, "n", c.key, 77), c.value) << c.key;
}

TEST_F(Profile, WritesAddAndReplaceKeepingEverythingElse) {
    putFile(file,
            "; top comment\r\n"
            "[First]\r\n"
            "a=1\r\n"
            "; between\r\n"
            "b=2\r\n"
            "\r\n"
            "[Second]\r\n"
            "c=3\r\n");
    ASSERT_TRUE(platform::writeProfileString(file, "first", "A", "10"));
    ASSERT_TRUE(platform::writeProfileString(file, "FIRST", "new", "x y"));
    ASSERT_TRUE(platform::writeProfileString(file, "Third", "d", "4"));
    EXPECT_EQ(read("First", "a"), "10");
    EXPECT_EQ(read("First", "b"), "2");
    EXPECT_EQ(read("First", "new"), "x y");
    EXPECT_EQ(read("Second", "c"), "3");
    EXPECT_EQ(read("Third", "d"), "4");
    const std::string text = fileBytes(file);
    EXPECT_NE(text.find("; top comment"), std::string::npos);
    EXPECT_NE(text.find("; between"), std::string::npos);
    // A new key joins its own section, before the next one.
    EXPECT_LT(text.find("new=x y"), text.find("[Second]"));
}

TEST_F(Profile, FirstWriteCreatesTheFile) {
    ASSERT_TRUE(platform::writeProfileString(file, "user", "output", "D:\\着信"));
    EXPECT_EQ(read("user", "output"), "D:\\着信");
}
