#include "platform/files.hpp"
#include "platform/text.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

using testing_support::ScratchFolder;

TEST(PlatformFiles, CreateWriteReadDelete) {
    ScratchFolder dir;
    auto path = dir / "a.bin";
    {
        platform::File f = platform::createForWrite(path);
        ASSERT_TRUE(f.isOpen());
        ASSERT_TRUE(f.write("hello", 5));
    }
    platform::File r = platform::openForRead(path);
    ASSERT_TRUE(r.isOpen());
    EXPECT_EQ(r.size().value(), 5u);
    char buf[8] = {};
    EXPECT_EQ(r.read(buf, sizeof buf).value(), 5u);
    EXPECT_EQ(r.read(buf, sizeof buf).value(), 0u);
    r.close();
    EXPECT_TRUE(platform::deleteFile(path));
    EXPECT_FALSE(platform::fileExists(path));
    EXPECT_FALSE(platform::deleteFile(path));
}

TEST(PlatformFiles, OpenErrorsTellMissingFileFromMissingFolder) {
    ScratchFolder dir;
    EXPECT_EQ(platform::openForRead(dir / "none.wav").error(), platform::OpenError::fileNotFound);
    EXPECT_EQ(platform::createForWrite(dir.path() / "no" / "x.wav").error(),
              platform::OpenError::pathNotFound);
}

TEST(PlatformFiles, CreateFolderAcceptsAnExistingOne) {
    ScratchFolder dir;
    EXPECT_TRUE(platform::createFolder(dir / "sub"));
    EXPECT_TRUE(platform::createFolder(dir / "sub"));
    EXPECT_FALSE(platform::createFolder(dir.path() / "missing" / "sub"));
}

TEST(PlatformFiles, ModuleFolderHoldsTheRunningProgram) {
    auto module = platform::modulePath();
    ASSERT_FALSE(module.empty());
    EXPECT_EQ(platform::moduleFolder(), module.parent_path());
    EXPECT_TRUE(platform::fileExists(module));
}

TEST(PlatformText, Cp932RoundTrip) {
    // "着信" in code page 932 is 92 85 90 4D.
    const std::string utf8 = "\xE7\x9D\x80\xE4\xBF\xA1 bell";
    const std::string sjis = platform::utf8ToCp932(utf8);
    EXPECT_EQ(sjis, std::string("\x92\x85\x90\x4D bell"));
    EXPECT_EQ(platform::cp932ToUtf8(sjis), utf8);
}
