// Files and folders as both builds must treat them: copies, folders in the way of files,
// the current folder, and names outside ASCII.
#include "platform/files.hpp"
#include "platform/text.hpp"
#include "tests/support/scratch.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::fileBytes;
using testing_support::putFile;
using testing_support::ScratchFolder;

namespace {

// "着信" (incoming call): a name that needs more than the ASCII range on every file system.
const char* const japaneseName = "\xE7\x9D\x80\xE4\xBF\xA1";

TEST(PlatformCopy, CopiesBytesAndReplacesAnOldTarget) {
    ScratchFolder dir;
    const std::string bytes("RIFF\0\0\0\0WAVE", 12);
    putFile(dir / "from.wav", bytes);
    putFile(dir / "to.wav", "an older and longer file");
    ASSERT_TRUE(platform::copyFile(dir / "from.wav", dir / "to.wav"));
    EXPECT_EQ(fileBytes(dir / "to.wav"), bytes);
    EXPECT_EQ(fileBytes(dir / "from.wav"), bytes);
}

TEST(PlatformCopy, MissingSourceFailsAndMakesNothing) {
    ScratchFolder dir;
    EXPECT_FALSE(platform::copyFile(dir / "none.wav", dir / "to.wav"));
    EXPECT_FALSE(platform::fileExists(dir / "to.wav"));
}

TEST(PlatformFolders, FileOfTheSameNameIsNoFolder) {
    ScratchFolder dir;
    putFile(dir / "mld", "x");
    EXPECT_FALSE(platform::createFolder(dir / "mld"));
    EXPECT_TRUE(platform::fileExists(dir / "mld"));
}

TEST(PlatformFolders, FolderCannotBeOpenedAsAFile) {
    ScratchFolder dir;
    ASSERT_TRUE(platform::createFolder(dir / "sub"));
    EXPECT_EQ(platform::openForRead(dir / "sub").error(), platform::OpenError::accessDenied);
    EXPECT_FALSE(platform::createForWrite(dir / "sub").isOpen());
}

TEST(PlatformFolders, CurrentFolderFollowsSetCurrentFolder) {
    ScratchFolder dir;
    const platform::Path before = platform::currentFolder();
    ASSERT_FALSE(before.empty());
    const platform::Path target = dir.path() / platform::pathFromUtf8(japaneseName);
    ASSERT_TRUE(platform::createFolder(target));

    ASSERT_TRUE(platform::setCurrentFolder(target));
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::equivalent(platform::currentFolder(), target, ec)) << ec.message();
    // Relative names now resolve inside it.
    putFile("here.txt", "1");
    EXPECT_TRUE(platform::fileExists(target / "here.txt"));

    ASSERT_TRUE(platform::setCurrentFolder(before));
    EXPECT_FALSE(platform::setCurrentFolder(dir / "missing"));
}

TEST(PlatformFolders, JapaneseNamesWork) {
    ScratchFolder dir;
    const platform::Path folder = dir.path() / platform::pathFromUtf8(japaneseName);
    ASSERT_TRUE(platform::createFolder(folder));
    const platform::Path file = folder / platform::pathFromUtf8(std::string(japaneseName) + ".wav");
    putFile(file, "data");
    EXPECT_TRUE(platform::fileExists(file));
    EXPECT_EQ(fileBytes(file), "data");
    EXPECT_EQ(platform::pathToUtf8(file.filename()), std::string(japaneseName) + ".wav");
    EXPECT_TRUE(platform::deleteFile(file));
}

TEST(PlatformFolders, ScratchFoldersAreFreshAndDistinct) {
    ScratchFolder a;
    ScratchFolder b;
    ASSERT_FALSE(a.path().empty());
    EXPECT_NE(a.path(), b.path());
    EXPECT_TRUE(std::filesystem::is_empty(a.path()));
}

} // namespace
