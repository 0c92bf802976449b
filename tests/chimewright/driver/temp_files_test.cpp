#include "chimewright/driver/job.hpp"
#include "chimewright/job/temp_files.hpp"
#include "platform/text.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(TempFiles, TempPathJoinsTheWorkingFolder) {
    const platform::Path work = platform::Path("w") / "f";
    EXPECT_EQ(cw::tempPath(work, "_cwmtmp.wav"), work / "_cwmtmp.wav");
    EXPECT_EQ(cw::tempPath(work, "/_cwmtmp.wav"), work / "_cwmtmp.wav");
    EXPECT_EQ(cw::tempPath(work, "\\_cwmtmp.wav"), work / "_cwmtmp.wav");
    EXPECT_EQ(cw::tempPath({}, "x.wav").filename(), "x.wav");
}

TEST(TempFiles, OutputFileCreatesMissingFolders) {
    ScratchFolder dir;
    auto path = dir.path() / "out" / "n505" / "bell.mld";
    platform::File file = cw::createOutputFile(path);
    ASSERT_TRUE(file.isOpen());
    ASSERT_TRUE(file.write("abc", 3));
    file.close();
    EXPECT_EQ(fileBytes(path), "abc");
    // An existing file is truncated.
    EXPECT_TRUE(cw::createOutputFile(path).isOpen());
    EXPECT_EQ(fileBytes(path), "");
    // A folder that cannot be made (a file stands in its way) gives no file.
    EXPECT_FALSE(cw::createOutputFile(dir.path() / "out" / "n505" / "bell.mld" / "x").isOpen());
}

TEST(TempFiles, CopyTempFileResults) {
    ScratchFolder dir;
    std::string big(10000, 'q');
    big[4095] = 'a';
    big[9999] = 'z';
    putFile(dir / "_cwmtmp.wav", big);
    EXPECT_EQ(cw::copyTempFile(dir.path(), "_cwmtmp.wav", dir.path() / "o" / "c.wav"), 0);
    EXPECT_EQ(fileBytes(dir.path() / "o" / "c.wav"), big);
    EXPECT_EQ(cw::copyTempFile(dir.path(), "_none.wav", dir / "d.wav"), 1025);
    EXPECT_EQ(cw::copyTempFile(dir.path(), "_cwmtmp.wav", dir.path() / "_cwmtmp.wav" / "d"), 1024);
}

TEST(TitleToAnsi, EmptyBecomesASpaceAndLongTitlesKeepWholeCharacters) {
    EXPECT_EQ(cw::titleToAnsi(""), " ");
    EXPECT_EQ(cw::titleToAnsi("bell"), "bell");
    std::string kanji;
    for (int i = 0; i < 200; ++i) kanji += "\xE7\x9D\x80"; // two bytes each in code page 932
    std::string ansi = cw::titleToAnsi("x" + kanji);
    EXPECT_EQ(ansi.size(), 253u); // 254 would split the last character
    EXPECT_EQ(ansi.substr(1, 2), "\x92\x85");
}
